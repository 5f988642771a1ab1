#include "AAX_VPropertyMap.h"

#include <gtest/gtest.h>

#include "DescriptionHostFake.h"

namespace
{

TEST(AAX_VPropertyMap, ForwardsToBothVersionsOfTheHostMap)
{
    fake::HostedWorld world;
    {
        AAX_VPropertyMap map(world.host.get());
        ASSERT_NE(map.GetIUnknown(), nullptr);

        EXPECT_EQ(map.AddProperty(AAX_eProperty_ManufacturerID, 42), kResultSuccess);
        AAX_CPropertyValue value = 0;
        EXPECT_TRUE(map.GetProperty(AAX_eProperty_ManufacturerID, &value));
        EXPECT_EQ(value, 42);
        EXPECT_EQ(map.RemoveProperty(AAX_eProperty_ManufacturerID), kResultSuccess);
        EXPECT_FALSE(map.GetProperty(AAX_eProperty_ManufacturerID, &value));

        const AAX_SPlugInIdentifierTriad triads[2] = {{1, 2, 3}, {4, 5, 6}};
        EXPECT_EQ(map.AddPropertyWithIDArray(AAX_eProperty_ProductID, triads, 2), kResultSuccess);
        EXPECT_EQ(world.calls.back(), "AddPropertyWithIDArray 12 2");
    }
    // The map wrapper does not keep the host object; everything is released.
    EXPECT_EQ(world.LiveOnceHostReleased(), 0);
}

TEST(AAX_VPropertyMap, MissingVersionTwoAndMissingMapAnswerWithoutCalling)
{
    fake::HostedWorld world;
    world.options.version2 = false;
    {
        AAX_VPropertyMap map(world.host.get());
        const AAX_SPlugInIdentifierTriad triad = {1, 2, 3};
        const AAX_SPlugInIdentifierTriad* ids = nullptr;
        uint32 count = 0;
        EXPECT_EQ(map.AddPropertyWithIDArray(AAX_eProperty_ProductID, &triad, 1),
                  kResultUnimplemented);
        EXPECT_FALSE(map.GetPropertyWithIDArray(AAX_eProperty_ProductID, &ids, &count));
        EXPECT_EQ(map.AddProperty(AAX_eProperty_ProductID, 7), kResultSuccess);
        EXPECT_EQ(world.calls, std::vector<std::string>{"AddProperty 12=7"});
    }

    AAX_VPropertyMap orphan(nullptr);
    AAX_CPropertyValue value = 5;
    EXPECT_EQ(orphan.GetIUnknown(), nullptr);
    EXPECT_EQ(orphan.AddProperty(AAX_eProperty_ProductID, 1), kResultNullObject);
    EXPECT_EQ(orphan.RemoveProperty(AAX_eProperty_ProductID), kResultNullObject);
    EXPECT_FALSE(orphan.GetProperty(AAX_eProperty_ProductID, &value));
    EXPECT_EQ(value, 5);

    world.options.factory = false;
    AAX_VPropertyMap noFactory(world.host.get());
    EXPECT_EQ(noFactory.AddProperty(AAX_eProperty_ProductID, 1), kResultNullObject);
}

} // namespace
