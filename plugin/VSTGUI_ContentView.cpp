#include "VSTGUI_ContentView.h"

using namespace VSTGUI;

VSTGUI_ContentView::VSTGUI_ContentView(void* nativeParent, AAX_IACFEffectParameters* parameters,
                                       VSTGUIEditorInterface* editor)
    : CFrame(CRect(0, 0, 0, 0), nativeParent, editor), mParameters(parameters)
{
}

VSTGUI_ContentView::~VSTGUI_ContentView() = default;

bool VSTGUI_ContentView::onDrop(CDragContainer* drag, const CPoint& where)
{
    return CViewContainer::onDrop(drag, where);
}

void VSTGUI_ContentView::onDragEnter(CDragContainer* drag, const CPoint& where)
{
    CViewContainer::onDragEnter(drag, where);
}

void VSTGUI_ContentView::onDragLeave(CDragContainer* drag, const CPoint& where)
{
    CViewContainer::onDragLeave(drag, where);
}

void VSTGUI_ContentView::onDragMove(CDragContainer* drag, const CPoint& where)
{
    CViewContainer::onDragMove(drag, where);
}

bool VSTGUI_ContentView::setPosition(CCoord x, CCoord y)
{
    return CFrame::setPosition(x, y);
}

bool VSTGUI_ContentView::setSize(CCoord width, CCoord height)
{
    return CFrame::setSize(width, height);
}

bool VSTGUI_ContentView::getSize(CRect* rect) const
{
    if (!isVisible()) return false;
    return CFrame::getSize(rect);
}

bool VSTGUI_ContentView::getSize(CRect& rect) const
{
    return getSize(&rect);
}

bool VSTGUI_ContentView::platformOnKeyDown(VstKeyCode& keyCode)
{
    return CFrame::platformOnKeyDown(keyCode);
}
