#pragma once

#include "AAX_CEffectGUI.h"
#include "VSTGUIEditorInterface.h"

namespace VSTGUI
{
class CFrame;
}

// An editor whose window is a toolkit frame (a VSTGUI_ContentView) embedded in the host's
// native view. It builds the frame when the host opens a window of the platform view type,
// gives it up when the window closes, and answers the host's size and draw requests from
// it. The frame is held through the toolkit's reference count.
class AAX_CEffectGUI_VST : public AAX_CEffectGUI, public VSTGUI::VSTGUIEditorInterface
{
public:
    AAX_CEffectGUI_VST() = default;
    // Gives up the frame before the base tears down the rest.
    ~AAX_CEffectGUI_VST() override;

    // The frame's width and height; the point is left alone without a frame.
    AAX_Result GetViewSize(AAX_Point* outSize) const override;
    // Draws the frame's part inside drawRect into its native view.
    AAX_Result Draw(AAX_Rect* drawRect) override;

    // The frame, null while no window is open. Owned by this editor.
    VSTGUI::CFrame* GetFrame() const { return mFrame; }

protected:
    void CreateViewContainer() override;
    void DeleteViewContainer() override;
    // Builds the frame inside nativeParent; the default is a plain grey content view.
    virtual void CreateEffectView(void* nativeParent);
    // Stores frame as this editor's frame, taking over the creator's reference.
    void SetFrame(VSTGUI::CFrame* frame);

private:
    void ForgetFrame();

    VSTGUI::CFrame* mFrame = nullptr;
};
