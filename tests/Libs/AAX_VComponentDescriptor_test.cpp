#include "AAX_VComponentDescriptor.h"

#include <gtest/gtest.h>

#include "DescriptionHostFake.h"

namespace
{

TEST(AAX_VComponentDescriptor, ForwardsAndTranslatesMapsToHostObjects)
{
    fake::World world;
    {
        ACFPtr<fake::Host> host(new fake::Host(world));
        AAX_VComponentDescriptor descriptor(host.get());
        ASSERT_NE(descriptor.GetIUnknown(), nullptr);

        EXPECT_EQ(descriptor.AddAudioIn(0), kResultSuccess);
        EXPECT_EQ(descriptor.AddTemporaryData(1, 4), kResultSuccess);
        AAX_IPropertyMap* map = descriptor.NewPropertyMap();
        AAX_CSelector procID = 0;
        EXPECT_EQ(descriptor.AddProcessProc_Native(nullptr, map, nullptr, nullptr, &procID),
                  kResultSuccess);
        EXPECT_EQ(descriptor.AddProcessProc_Native(nullptr, nullptr, nullptr, nullptr, &procID),
                  kResultSuccess);
        EXPECT_EQ(world.calls, (std::vector<std::string>{"AddAudioIn", "AddTemporaryData",
                                                         "AddProcessProc_Native",
                                                         "AddProcessProc_Native null"}));
    }
    EXPECT_EQ(world.live, 0);
}

TEST(AAX_VComponentDescriptor, DuplicateCopiesOnlyTheHostPropertyRange)
{
    fake::World world;
    ACFPtr<fake::Host> host(new fake::Host(world));
    AAX_VComponentDescriptor descriptor(host.get());
    AAX_IPropertyMap* source = descriptor.NewPropertyMap();
    source->AddProperty(static_cast<AAX_EProperty>(9), 90);
    source->AddProperty(static_cast<AAX_EProperty>(10), 100);
    source->AddProperty(static_cast<AAX_EProperty>(401), 4010);
    source->AddProperty(static_cast<AAX_EProperty>(402), 4020);
    world.calls.clear();

    AAX_IPropertyMap* copy = descriptor.DuplicatePropertyMap(source);
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(copy, source);
    EXPECT_EQ(world.calls,
              (std::vector<std::string>{"AddProperty 10=100", "AddProperty 401=4010"}));
    AAX_CPropertyValue value = 0;
    EXPECT_FALSE(copy->GetProperty(static_cast<AAX_EProperty>(9), &value));
    EXPECT_TRUE(copy->GetProperty(static_cast<AAX_EProperty>(401), &value));
    EXPECT_EQ(value, 4010);
}

TEST(AAX_VComponentDescriptor, MissingVersionsAnswerTheirCodes)
{
    fake::World world;
    world.options.version2 = false;
    ACFPtr<fake::Host> host(new fake::Host(world));
    AAX_VComponentDescriptor onlyV1(host.get());
    EXPECT_EQ(onlyV1.AddTemporaryData(0, 4), kResultUnimplemented);
    EXPECT_EQ(onlyV1.AddClock(0), kResultSuccess);

    AAX_VComponentDescriptor none(nullptr);
    AAX_CSelector procID = 0;
    EXPECT_EQ(none.Clear(), kResultNullObject);
    EXPECT_EQ(none.AddMeters(0, nullptr, 0), kResultNullObject);
    EXPECT_EQ(none.AddProcessProc_TI("a", "b", nullptr, "c", "d", &procID), kResultNullObject);
    EXPECT_EQ(none.AddTemporaryData(0, 4), kResultUnimplemented);
    // Maps are still made, just without host objects.
    AAX_IPropertyMap* map = none.NewPropertyMap();
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->AddProperty(AAX_eProperty_ProductID, 1), kResultNullObject);
    EXPECT_NE(none.DuplicatePropertyMap(map), nullptr);
}

} // namespace
