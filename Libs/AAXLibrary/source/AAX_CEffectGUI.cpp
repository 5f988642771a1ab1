#include "AAX_CEffectGUI.h"

#include "AAX_CString.h"
#include "AAX_Errors.h"
#include "AAX_HostBoundary.h"
#include "AAX_VController.h"
#include "AAX_VTransport.h"
#include "AAX_VViewContainer.h"

AAX_CEffectGUI::AAX_CEffectGUI() = default;

AAX_CEffectGUI::~AAX_CEffectGUI()
{
    Uninitialize();
    // The view is gone by now (the subclass gave it up), so only the wrapper is left.
    mViewContainer.reset();
}

AAX_Result AAX_CEffectGUI::Initialize(IACFUnknown* host)
{
    // A second Initialize replaces what the first one made instead of leaking it.
    Uninitialize();
    mController = AAX_MakeOwned<AAX_VController>(host);
    if (!host) return kResultNotInitialized;
    // A host without effect parameters leaves the holder empty; the editor copes.
    host->QueryInterface(IID_IAAXEffectParametersV1, reinterpret_cast<void**>(&mEffectParameters));
    mTransport = AAX_MakeOwned<AAX_VTransport>(host);
    if (!mController || !mTransport) return kResultUnexpected;
    return AAX_GuardHostCall(__func__,
                             [this]
                             {
                                 CreateViewContents();
                                 return kResultSuccess;
                             });
}

AAX_Result AAX_CEffectGUI::Uninitialize()
{
    mEffectParameters.Clear();
    mController.reset();
    mTransport.reset();
    return kResultSuccess;
}

AAX_Result AAX_CEffectGUI::NotificationReceived(AAX_CTypeID, const void*, uint32)
{
    return kResultSuccess;
}

AAX_Result AAX_CEffectGUI::SetViewContainer(IACFUnknown* container)
{
    // The earlier view and wrapper go first, also when the host skips the closing call.
    ReleaseViewContainer();
    if (!container) return kResultSuccess;
    mViewContainer = AAX_MakeOwned<AAX_VViewContainer>(container);
    if (!mViewContainer) return kResultUnexpected;
    return AAX_GuardHostCall(__func__,
                             [this]
                             {
                                 CreateViewContainer();
                                 UpdateAllParameters();
                                 return kResultSuccess;
                             });
}

void AAX_CEffectGUI::ReleaseViewContainer()
{
    if (!mViewContainer) return;
    DeleteViewContainer();
    mViewContainer.reset();
}

AAX_Result AAX_CEffectGUI::GetViewSize(AAX_Point*) const
{
    return kResultSuccess;
}

AAX_Result AAX_CEffectGUI::Draw(AAX_Rect*)
{
    return kResultSuccess;
}

AAX_Result AAX_CEffectGUI::TimerWakeup()
{
    return kResultSuccess;
}

AAX_Result AAX_CEffectGUI::ParameterUpdated(AAX_CParamID)
{
    return kResultSuccess;
}

AAX_Result AAX_CEffectGUI::GetCustomLabel(AAX_EPlugInStrings, AAX_IString*) const
{
    return kResultNullObject;
}

AAX_Result AAX_CEffectGUI::SetControlHighlightInfo(AAX_CParamID, AAX_CBoolean, AAX_EHighlightColor)
{
    return kResultSuccess;
}

ACFRESULT AAX_CEffectGUI::InternalQueryInterface(const _acfUID& iid, void** outInterface)
{
    if (outInterface && iid == IID_IAAXEffectGUIV1)
    {
        AAX_IACFEffectGUI* self = this;
        self->AddRef();
        *outInterface = self;
        return kResultSuccess;
    }
    return CACFUnknown::InternalQueryInterface(iid, outInterface);
}

void AAX_CEffectGUI::UpdateAllParameters()
{
    if (!mEffectParameters) return;
    int32 count = 0;
    if (mEffectParameters->GetNumberOfParameters(&count) != kResultSuccess || count < 0) return;
    for (int32 index = 0; index < count; ++index)
    {
        AAX_CString identifier;
        if (mEffectParameters->GetParameterIDFromIndex(index, &identifier) != kResultSuccess)
            continue;
        ParameterUpdated(identifier.Get());
    }
}

AAX_IViewContainer* AAX_CEffectGUI::GetViewContainer() const
{
    return mViewContainer.get();
}

int32 AAX_CEffectGUI::GetViewContainerType() const
{
    if (!mViewContainer) return AAX_eViewContainer_Type_NULL;
    return mViewContainer->GetType();
}

void* AAX_CEffectGUI::GetViewContainerPtr() const
{
    if (!mViewContainer) return nullptr;
    return mViewContainer->GetPtr();
}

AAX_IController* AAX_CEffectGUI::Controller() const
{
    return mController.get();
}

AAX_ITransport* AAX_CEffectGUI::Transport() const
{
    return mTransport.get();
}
