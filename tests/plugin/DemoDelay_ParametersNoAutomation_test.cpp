// The plug-in's parameters in a host that offers no automation interface: nobody would ever
// echo a set request there, so every change made inside the plug-in applies at once.
#include <gtest/gtest.h>

#include "ACFPtr.h"
#include "DemoDelay_Parameters.h"
#include "HostChunk.h"
#include "ReferenceHost.h"

namespace
{
// One instance as such a host makes it: initialized on a context without automation.
struct Instance
{
    explicit Instance(orv::host::ReferenceHost& host)
    {
        void* counted = nullptr;
        DemoDelay_Parameters::Create()->QueryInterface(IID_IAAXEffectParametersV1, &counted);
        parameters.Attach(static_cast<AAX_IACFEffectParameters*>(counted));
        EXPECT_EQ(parameters->Initialize(host.Context()), 0);
    }
    ~Instance() { parameters->Uninitialize(); }

    double Value(const char* id) const
    {
        double value = -1.0;
        EXPECT_EQ(parameters->GetParameterNormalizedValue(id, &value), 0) << id;
        return value;
    }

    ACFPtr<AAX_IACFEffectParameters> parameters;
};
} // namespace

TEST(DemoDelay_ParametersNoAutomation, EditorChangesAndStateRestoreApplyAtOnce)
{
    orv::host::ReferenceHost host;
    Instance first(host);
    // What the editor and the processor do: set requests by identifier.
    EXPECT_EQ(first.parameters->SetParameterNormalizedValue("Par3", 1.0), 0);
    EXPECT_EQ(first.parameters->SetParameterNormalizedValue("Men3", 0.02), 0);
    EXPECT_EQ(first.parameters->SetParameterNormalizedValue("minfr", 0.25), 0);
    EXPECT_EQ(first.parameters->SetParameterNormalizedValue("Comm", 0.05), 0);
    EXPECT_DOUBLE_EQ(first.Value("Par3"), 1.0);
    EXPECT_FLOAT_EQ(static_cast<float>(first.Value("Men3")), 0.02f);
    EXPECT_DOUBLE_EQ(first.Value("minfr"), 0.25);
    EXPECT_FLOAT_EQ(static_cast<float>(first.Value("Comm")), 0.05f);

    uint32 size = 0;
    ASSERT_EQ(first.parameters->GetChunkSize(cControlsChunkID, &size), 0);
    orv::host::HostChunk saved(size);
    ASSERT_EQ(first.parameters->GetChunk(cControlsChunkID, saved.Record()), 0);

    Instance second(host);
    EXPECT_DOUBLE_EQ(second.Value("Par3"), 0.0);
    EXPECT_EQ(second.parameters->SetChunk(cControlsChunkID, saved.Record()), 0);
    EXPECT_DOUBLE_EQ(second.Value("Par3"), 1.0);
    EXPECT_FLOAT_EQ(static_cast<float>(second.Value("Men3")), 0.02f);
    EXPECT_DOUBLE_EQ(second.Value("minfr"), 0.25);
    AAX_CBoolean equal = 0;
    EXPECT_EQ(second.parameters->CompareActiveChunk(saved.Record(), &equal), 0);
    EXPECT_EQ(equal, 1);
}
