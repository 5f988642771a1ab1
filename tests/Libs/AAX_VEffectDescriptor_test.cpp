#include "AAX_VEffectDescriptor.h"

#include <gtest/gtest.h>

#include "DescriptionHostFake.h"

namespace
{

TEST(AAX_VEffectDescriptor, ForwardsAndHandsChildHostObjectsToTheHost)
{
    fake::HostedWorld world;
    {
        AAX_VEffectDescriptor descriptor(world.host.get());
        ASSERT_NE(descriptor.GetIUnknown(), nullptr);

        AAX_IComponentDescriptor* component = descriptor.NewComponentDescriptor();
        AAX_IPropertyMap* map = descriptor.NewPropertyMap();
        ASSERT_NE(component, nullptr);
        ASSERT_NE(map, nullptr);
        EXPECT_EQ(descriptor.AddComponent(component), kResultSuccess);
        EXPECT_EQ(descriptor.AddComponent(nullptr), kResultSuccess);
        EXPECT_EQ(descriptor.AddName("Orv"), kResultSuccess);
        EXPECT_EQ(descriptor.AddCategory(128), kResultSuccess);
        EXPECT_EQ(descriptor.AddProcPtr(nullptr, 3), kResultSuccess);
        EXPECT_EQ(descriptor.SetProperties(map), kResultSuccess);
        EXPECT_EQ(descriptor.AddControlMIDINode(1, AAX_eMIDINodeType_LocalInput, "in", 1),
                  kResultSuccess);
        EXPECT_EQ(world.calls,
                  (std::vector<std::string>{"AddComponent", "AddComponent null", "AddName Orv",
                                            "AddCategory 128", "AddProcPtr 3", "SetProperties",
                                            "AddControlMIDINode"}));
    }
    EXPECT_EQ(world.LiveOnceHostReleased(), 0);
}

TEST(AAX_VEffectDescriptor, MissingVersionsAnswerTheirCodes)
{
    fake::HostedWorld world;
    world.options.version2 = false;
    AAX_VEffectDescriptor onlyV1(world.host.get());
    EXPECT_EQ(onlyV1.AddControlMIDINode(1, AAX_eMIDINodeType_LocalInput, "in", 1),
              kResultUnimplemented);
    EXPECT_EQ(onlyV1.AddName("Orv"), kResultSuccess);

    world.options.descriptors = false;
    AAX_VEffectDescriptor none(world.host.get());
    EXPECT_EQ(none.GetIUnknown(), nullptr);
    EXPECT_EQ(none.AddName("Orv"), kResultNullObject);
    EXPECT_EQ(none.AddCategory(128), kResultNullObject);
    EXPECT_EQ(none.AddProcPtr(nullptr, 0), kResultNullObject);
    EXPECT_EQ(none.SetProperties(none.NewPropertyMap()), kResultNullObject);
    EXPECT_EQ(none.AddResourceInfo(AAX_eResourceType_None, "x"), kResultNullObject);
    EXPECT_EQ(none.AddMeterDescription(1, "m", nullptr), kResultNullObject);
    EXPECT_EQ(none.AddComponent(none.NewComponentDescriptor()), kResultNullObject);
    EXPECT_EQ(none.AddControlMIDINode(1, AAX_eMIDINodeType_LocalInput, "in", 1),
              kResultUnimplemented);
}

} // namespace
