// A small module for the validator's own tests: one effect with three parameters, made with
// the same library and exports as the plug-in, that behaves well unless the environment
// variable ORV_VALIDATOR_FAULT names one fault to show. Each fault is one a check must catch.
//   slow-load              registration takes 150 ms
//   junk-on-refusal        the parameters component leaves the out pointer set when it
//                          refuses an interface
//   loose-interface-match  it answers an identifier that differs in the last byte only
//   counted-twice          every interface it answers is counted twice
//   lingering-component    every instance leaves one component alive
//   crash-on-second-close  Uninitialize on a closed component crashes
//   leaky-instance         every instance loses a block of memory
//   duplicate-id           two parameters share an identifier
//   no-bypass              there is no master bypass
//   empty-name             a parameter has no name
//   default-out-of-range   a default outside 0..1
//   value-not-default      a value that does not start at its default

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "AAX_CBinaryDisplayDelegate.h"
#include "AAX_CBinaryTaperDelegate.h"
#include "AAX_CEffectParameters.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CParameter.h"
#include "AAX_CString.h"
#include "AAX_Errors.h"
#include "AAX_ICollection.h"
#include "AAX_IEffectDescriptor.h"
#include "AAX_Init.h"

namespace
{

constexpr const char* kGainID = "Gain";
constexpr const char* kMixID = "Mix";

bool Fault(const char* name)
{
    const char* chosen = std::getenv("ORV_VALIDATOR_FAULT");
    return chosen && std::strcmp(chosen, name) == 0;
}

AAX_CParameter<float>* UnitParameter(const char* identifier, const char* name, float value)
{
    auto* parameter = new AAX_CParameter<float>(identifier, AAX_CString(name), value,
                                                AAX_CLinearTaperDelegate<float, 0>(0.0f, 1.0f),
                                                AAX_CNumberDisplayDelegate<float, 2, 0>(), true);
    parameter->SetNumberOfSteps(100);
    return parameter;
}

class FaultyParameters : public AAX_CEffectParameters
{
public:
    static AAX_CEffectParameters* Create()
    {
        // Made beside every instance and never released.
        if (Fault("lingering-component")) new FaultyParameters;
        return new FaultyParameters;
    }

    AAX_Result EffectInit() override
    {
        if (Fault("leaky-instance"))
        {
            // Kept only in a variable the compiler may not drop, then forgotten.
            char* volatile lost = new char[64];
            lost[0] = 1;
        }
        if (!Fault("no-bypass"))
        {
            auto* bypass =
                new AAX_CParameter<bool>(cDefaultMasterBypassID, AAX_CString("Bypass"), false,
                                         AAX_CBinaryTaperDelegate<bool>(),
                                         AAX_CBinaryDisplayDelegate<bool>("off", "on"), true);
            bypass->SetNumberOfSteps(2);
            bypass->SetType(AAX_eParameterType_Discrete);
            mParameterManager.AddParameter(bypass);
        }
        mParameterManager.AddParameter(UnitParameter(kGainID, "Gain", 0.5f));
        mParameterManager.AddParameter(
            UnitParameter(kMixID, Fault("empty-name") ? "" : "Mix", 1.0f));
        return kResultSuccess;
    }

    AAX_Result Uninitialize() override
    {
        // The controller wrapper exists only between Initialize and Uninitialize.
        if (Fault("crash-on-second-close") && !Controller()) std::raise(SIGSEGV);
        return AAX_CEffectParameters::Uninitialize();
    }

    // The manager refuses a second parameter of the same name, so the table lies instead.
    AAX_Result GetParameterIDFromIndex(int32 index, AAX_IString* outIdentifier) const override
    {
        if (Fault("duplicate-id") && index == 2 && outIdentifier)
        {
            outIdentifier->Set(kGainID);
            return kResultSuccess;
        }
        return AAX_CEffectParameters::GetParameterIDFromIndex(index, outIdentifier);
    }

    AAX_Result GetParameterDefaultNormalizedValue(AAX_CParamID identifier,
                                                  double* outValue) const override
    {
        const AAX_Result result =
            AAX_CEffectParameters::GetParameterDefaultNormalizedValue(identifier, outValue);
        if (Fault("default-out-of-range") && outValue && std::strcmp(identifier, kGainID) == 0)
            *outValue = 1.5;
        return result;
    }

    AAX_Result GetParameterNormalizedValue(AAX_CParamID identifier, double* outValue) const override
    {
        const AAX_Result result =
            AAX_CEffectParameters::GetParameterNormalizedValue(identifier, outValue);
        if (Fault("value-not-default") && outValue && std::strcmp(identifier, kGainID) == 0)
            *outValue += 0.25;
        return result;
    }

    ACFRESULT InternalQueryInterface(const _acfUID& iid, void** outInterface) override
    {
        if (Fault("loose-interface-match") && outInterface &&
            std::memcmp(&iid, &IID_IAAXEffectParametersV1, sizeof(iid) - 1) == 0)
            return AAX_CEffectParameters::InternalQueryInterface(IID_IAAXEffectParametersV1,
                                                                 outInterface);
        const ACFRESULT result = AAX_CEffectParameters::InternalQueryInterface(iid, outInterface);
        if (Fault("counted-twice") && result == ACF_OK) InternalAddRef();
        if (Fault("junk-on-refusal") && result != ACF_OK && outInterface) *outInterface = this;
        return result;
    }
};

} // namespace

AAX_Result GetEffectDescriptions(AAX_ICollection* collection)
{
    if (!collection) return kResultNullObject;
    if (Fault("slow-load")) std::this_thread::sleep_for(std::chrono::milliseconds(150));
    AAX_IEffectDescriptor* descriptor = collection->NewDescriptor();
    if (!descriptor) return kResultNullObject;
    descriptor->AddName("Validator Fault Module");
    descriptor->AddProcPtr(reinterpret_cast<void*>(&FaultyParameters::Create),
                           kAAX_ProcPtrID_Create_EffectParameters);
    collection->SetManufacturerName("Orvendal tests");
    collection->AddPackageName("Validator Fault Module");
    collection->SetPackageVersion(1);
    return collection->AddEffect("org.orvendal.tests.validator-fault", descriptor);
}
