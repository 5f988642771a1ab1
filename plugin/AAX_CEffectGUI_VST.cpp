#include "AAX_CEffectGUI_VST.h"

#include "AAX_CAutoreleasePool.h"
#include "AAX_Errors.h"
#include "AAX_HostBoundary.h"
#include "VSTGUI_ContentView.h"

using namespace VSTGUI;

AAX_CEffectGUI_VST::~AAX_CEffectGUI_VST()
{
    ForgetFrame();
}

void AAX_CEffectGUI_VST::CreateViewContainer()
{
    if (GetViewContainerType() != AAX_eViewContainer_Type_NSView) return;
    void* nativeParent = GetViewContainerPtr();
    if (!nativeParent) return;
    CreateEffectView(nativeParent);
}

// Reached only from SetViewContainer, which the library runs guarded.
void AAX_CEffectGUI_VST::CreateEffectView(void* nativeParent)
{
    auto* view = new VSTGUI_ContentView(nativeParent, GetEffectParameters(), this);
    view->setBackgroundColor(kGreyCColor);
    SetFrame(view);
}

void AAX_CEffectGUI_VST::SetFrame(CFrame* frame)
{
    // A frame still held (a view built twice) goes first rather than leaking.
    ForgetFrame();
    mFrame = frame;
}

void AAX_CEffectGUI_VST::DeleteViewContainer()
{
    ForgetFrame();
}

void AAX_CEffectGUI_VST::ForgetFrame()
{
    if (!mFrame) return;
    AAX_CAutoreleasePool pool;
    CFrame* frame = mFrame;
    mFrame = nullptr;
    frame->forget();
}

AAX_Result AAX_CEffectGUI_VST::GetViewSize(AAX_Point* outSize) const
{
    if (!mFrame || !outSize) return kResultSuccess;
    const CRect& size = mFrame->getViewSize();
    outSize->horz = static_cast<float>(size.right - size.left);
    outSize->vert = static_cast<float>(size.bottom - size.top);
    return kResultSuccess;
}

AAX_Result AAX_CEffectGUI_VST::Draw(AAX_Rect* drawRect)
{
    if (!drawRect || !mFrame) return kResultSuccess;
    CRect area(drawRect->left, drawRect->top, drawRect->left + drawRect->width,
               drawRect->top + drawRect->height);
    return AAX_GuardHostCall(__func__,
                             [&]
                             {
                                 mFrame->drawRect(nullptr, area);
                                 return kResultSuccess;
                             });
}
