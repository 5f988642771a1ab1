#include "DemoGain_GUI.h"

#include "AAX_Errors.h"
#include "AAX_HostBoundary.h"
#include "CBitmap.h"
#include "DemoGain_View.h"
#include "OwnBundle.h"
#include "ResourceFolder.h"

using namespace VSTGUI;

AAX_IEffectGUI* DemoGain_GUI::Create()
{
    return AAX_MakeOwned<DemoGain_GUI>().release();
}

DemoGain_GUI::~DemoGain_GUI() = default;

void DemoGain_GUI::CreateViewContents()
{
    gBundleRef = orv::platform::BundleWithIdentifier(kBundleIdentifier);
    setResourceFolder(orv::platform::BundleResourcesFolder(gBundleRef));
    // Initialize runs this guarded, so running out of memory here reaches the host as a result.
    if (!DemoGain_View::m_hLogo)
        DemoGain_View::m_hLogo = new CBitmap(CResourceDescription(kLogoResource));
}

void DemoGain_GUI::CreateEffectView(void* nativeParent)
{
    SetFrame(new DemoGain_View(nativeParent, GetEffectParameters(), this, GetViewContainer()));
}

DemoGain_View* DemoGain_GUI::GetView() const
{
    return dynamic_cast<DemoGain_View*>(GetFrame());
}

AAX_Result DemoGain_GUI::TimerWakeup()
{
    DemoGain_View* view = GetView();
    if (!view) return kResultSuccess;
    return AAX_GuardHostCall(__func__,
                             [view]
                             {
                                 view->TimerWakeup();
                                 // The frame's window is serviced from the host's timer: the
                                 // plug-in starts no threads.
                                 view->idle();
                                 return kResultSuccess;
                             });
}

AAX_Result DemoGain_GUI::SetControlHighlightInfo(AAX_CParamID, AAX_CBoolean, AAX_EHighlightColor)
{
    return kResultSuccess;
}

AAX_Result DemoGain_GUI::ParameterUpdated(AAX_CParamID id)
{
    DemoGain_View* view = GetView();
    if (!view || !id || !view->getParameters()) return kResultSuccess;
    double value = 0.0;
    if (view->getParameters()->GetParameterNormalizedValue(id, &value) != kResultSuccess)
        return kResultSuccess;
    // Moving a control redraws it and may build text, so the move runs guarded.
    return AAX_GuardHostCall(__func__,
                             [&]
                             {
                                 view->ShowParameter(id, value);
                                 return kResultSuccess;
                             });
}
