#include "HostProcessor_Describe.h"

#include <gtest/gtest.h>

#include "../Libs/DescriptionHostFake.h"
#include "AAX_Init.h"
#include "AAX_VCollection.h"

namespace
{

std::string Property(int32 number, int32 value)
{
    return "AddProperty " + std::to_string(number) + "=" + std::to_string(value);
}

TEST(HostProcessor_Describe, DescribesTheEffectThenThePackage)
{
    fake::World world;
    ACFPtr<fake::Host> host(new fake::Host(world));
    AAX_VCollection collection(host.get());

    ASSERT_EQ(GetEffectDescriptions(&collection), kResultSuccess);
    const std::vector<std::string> expected = {
        Property(11, 0x42724C77), // 'BrLw'
        Property(12, 0x4F727665), // 'Orve'
        Property(14, 0x4F517673), // 'OQvs'
        Property(113, 1),
        Property(114, 1),
        Property(151, 0),
        Property(110, 1),
        Property(111, 1),
        Property(102, 1),
        "AddName Orvendal QV",
        "AddName Orvendal",
        "AddName Orvdl",
        "AddName Orv",
        "AddCategory 128",
        "AddProcPtr 0",
        "AddProcPtr 3",
        "AddProcPtr 1",
        "SetProperties",
        "AddEffect com.Brenlow.aax.orvendal",
        "SetManufacturerName Brenlow",
        "AddPackageName Orvendal QV",
        "SetPackageVersion 1",
    };
    EXPECT_EQ(world.calls, expected);
}

TEST(HostProcessor_Describe, FailuresKeepThePackageCallsAndStopBeforeAddEffect)
{
    fake::World world;
    world.options.setPropertiesResult = kResultUnimplemented;
    ACFPtr<fake::Host> host(new fake::Host(world));
    {
        AAX_VCollection collection(host.get());
        EXPECT_EQ(GetEffectDescriptions(&collection), kResultUnimplemented);
        EXPECT_EQ(world.calls.back(), "SetPackageVersion 1");
        for (const auto& call : world.calls)
            EXPECT_EQ(call.rfind("AddEffect", 0), std::string::npos) << call;
    }

    world.calls.clear();
    world.options.setPropertiesResult = kResultSuccess;
    world.options.addEffectResult = kResultInvalidParameterId;
    {
        AAX_VCollection collection(host.get());
        EXPECT_EQ(GetEffectDescriptions(&collection), kResultInvalidParameterId);
        ASSERT_GE(world.calls.size(), 4u);
        EXPECT_EQ(world.calls[world.calls.size() - 4], "AddEffect com.Brenlow.aax.orvendal");
    }

    // Without description objects the package calls still go out (and fail quietly).
    world.options.collection = false;
    world.options.descriptors = false;
    world.options.maps = false;
    AAX_VCollection empty(host.get());
    EXPECT_EQ(HostProcessor_GetEffectDescriptions(&empty), kResultNullObject);
    EXPECT_EQ(GetEffectDescriptions(&empty), kResultNullObject);
    EXPECT_EQ(HostProcessor_GetEffectDescriptions(nullptr), kResultNullObject);
}

} // namespace
