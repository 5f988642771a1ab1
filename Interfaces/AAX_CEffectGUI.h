#pragma once

#include <memory>

#include "AAX_IACFEffectParameters.h"
#include "AAX_IEffectGUI.h"
#include "ACFPtr.h"

class AAX_IController;
class AAX_ITransport;
class AAX_IViewContainer;
class AAX_VController;
class AAX_VTransport;

// Base of an editor component. From Initialize to Uninitialize it owns a controller and a
// transport wrapper made over the host object and holds one counted reference to the
// host's effect-parameters interface; while the host's window is open it owns a wrapper
// over the host's view container. A concrete editor fills in the view hooks. Called by
// the host from its editor thread, one call at a time.
class AAX_CEffectGUI : public AAX_IEffectGUI
{
public:
    AAX_CEffectGUI();
    // Runs Uninitialize, then deletes the view-container wrapper (the view is gone by then).
    ~AAX_CEffectGUI() override;

    // Host-facing operations.
    // host: borrowed. kResultNotInitialized (before CreateViewContents) when it is null.
    AAX_Result Initialize(IACFUnknown* host) override;
    AAX_Result Uninitialize() override;
    AAX_Result NotificationReceived(AAX_CTypeID notificationType, const void* data,
                                    uint32 dataSize) override;
    // A non-null container opens the view, null closes it. A second container without a
    // null one between first closes the earlier view and wrapper.
    AAX_Result SetViewContainer(IACFUnknown* container) override;
    AAX_Result GetViewSize(AAX_Point* outSize) const override;
    AAX_Result Draw(AAX_Rect* drawRect) override;
    AAX_Result TimerWakeup() override;
    AAX_Result ParameterUpdated(AAX_CParamID parameterID) override;
    // No custom labels: kResultNullObject.
    AAX_Result GetCustomLabel(AAX_EPlugInStrings selector, AAX_IString* outString) const override;
    AAX_Result SetControlHighlightInfo(AAX_CParamID parameterID, AAX_CBoolean isHighlighted,
                                       AAX_EHighlightColor color) override;

    // Answers IID_IAAXEffectGUIV1 with this component; everything else goes to the base.
    ACFRESULT InternalQueryInterface(const _acfUID& iid, void** outInterface) override;

protected:
    // The three view hooks come before UpdateAllParameters: that is the slot order hosts
    // and subclasses built elsewhere rely on, so keep the declarations in this order.
    // Loads what every view of this editor shares; called at the end of Initialize.
    virtual void CreateViewContents() = 0;
    // Builds the view inside the container's native view; called when the window opens.
    virtual void CreateViewContainer() = 0;
    // Gives up the view; called when the window closes.
    virtual void DeleteViewContainer() = 0;

public:
    // Pushes every parameter's identifier through ParameterUpdated.
    virtual void UpdateAllParameters();

    // The objects below are owned by this editor; callers must not keep them.
    AAX_IACFEffectParameters* GetEffectParameters() const { return mEffectParameters.get(); }
    AAX_IViewContainer* GetViewContainer() const;
    // The container's type, 0 without a container.
    int32 GetViewContainerType() const;
    // The container's native view, null without a container.
    void* GetViewContainerPtr() const;
    AAX_IController* Controller() const;
    AAX_ITransport* Transport() const;

private:
    void ReleaseViewContainer();

    std::unique_ptr<AAX_VController> mController;
    ACFPtr<AAX_IACFEffectParameters> mEffectParameters;
    std::unique_ptr<AAX_IViewContainer> mViewContainer;
    std::unique_ptr<AAX_VTransport> mTransport;
};
