#pragma once

#include "AAX_IACFEffectParameters.h"
#include "CFrame.h"

// The editor's toolkit frame, embedded in the host's native view. It keeps the editor's
// effect-parameters interface for the views inside it, is sized only while visible, and
// hands drags to its views directly.
class VSTGUI_ContentView : public VSTGUI::CFrame
{
public:
    // nativeParent, parameters and editor are borrowed and must outlive the frame.
    VSTGUI_ContentView(void* nativeParent, AAX_IACFEffectParameters* parameters,
                       VSTGUI::VSTGUIEditorInterface* editor);
    ~VSTGUI_ContentView() override;

    bool onDrop(VSTGUI::CDragContainer* drag, const VSTGUI::CPoint& where) override;
    void onDragEnter(VSTGUI::CDragContainer* drag, const VSTGUI::CPoint& where) override;
    void onDragLeave(VSTGUI::CDragContainer* drag, const VSTGUI::CPoint& where) override;
    void onDragMove(VSTGUI::CDragContainer* drag, const VSTGUI::CPoint& where) override;
    bool setPosition(VSTGUI::CCoord x, VSTGUI::CCoord y) override;
    bool setSize(VSTGUI::CCoord width, VSTGUI::CCoord height) override;
    // False, leaving rect untouched, while the view is hidden.
    bool getSize(VSTGUI::CRect* rect) const override;
    bool getSize(VSTGUI::CRect& rect) const override;
    bool platformOnKeyDown(VSTGUI::VstKeyCode& keyCode) override;

    AAX_IACFEffectParameters* getParameters() const { return mParameters; }

private:
    AAX_IACFEffectParameters* mParameters;
};
