#include "AAX_VCollection.h"

#include <gtest/gtest.h>

#include "DescriptionHostFake.h"

namespace
{

// The package calls, each expected to answer `expected`: what the host says over a host,
// kResultNullObject without one.
void ExpectPackageCalls(AAX_VCollection& collection, AAX_IEffectDescriptor* descriptor,
                        AAX_IPropertyMap* properties, AAX_Result expected)
{
    EXPECT_EQ(collection.AddEffect("com.example.effect", descriptor), expected);
    EXPECT_EQ(collection.SetManufacturerName("Brenlow"), expected);
    EXPECT_EQ(collection.AddPackageName("Orvendal QV"), expected);
    EXPECT_EQ(collection.SetPackageVersion(1), expected);
    EXPECT_EQ(collection.SetProperties(properties), expected);
}

TEST(AAX_VCollection, ForwardsPackageCallsAndAddsTheDescriptorsHostObject)
{
    fake::HostedWorld world;
    {
        AAX_VCollection collection(world.host.get());
        ASSERT_NE(collection.GetIUnknown(), nullptr);
        AAX_IEffectDescriptor* descriptor = collection.NewDescriptor();
        ASSERT_NE(descriptor, nullptr);
        ExpectPackageCalls(collection, descriptor, collection.NewPropertyMap(), kResultSuccess);
        EXPECT_EQ(world.calls, (std::vector<std::string>{
                                   "AddEffect com.example.effect", "SetManufacturerName Brenlow",
                                   "AddPackageName Orvendal QV", "SetPackageVersion 1",
                                   "Collection SetProperties"}));

        // A null descriptor never reaches the host.
        EXPECT_EQ(collection.AddEffect("x", nullptr), kResultNullObject);
        EXPECT_EQ(world.calls.size(), 5u);
    }
    // The collection went with the wrapper, and with it the descriptor it took; only the
    // host object is left.
    EXPECT_EQ(world.live, 1);
    EXPECT_EQ(world.LiveOnceHostReleased(), 0);
}

TEST(AAX_VCollection, NullHostStillMakesDescriptorsButForwardsNothing)
{
    AAX_VCollection collection(nullptr);
    EXPECT_EQ(collection.GetIUnknown(), nullptr);
    AAX_IEffectDescriptor* descriptor = collection.NewDescriptor();
    ASSERT_NE(descriptor, nullptr);
    ExpectPackageCalls(collection, descriptor, nullptr, kResultNullObject);
    EXPECT_EQ(descriptor->AddName("Orv"), kResultNullObject);
}

TEST(AAX_VCollection, DestructionReleasesEveryChildOnce)
{
    fake::HostedWorld world;
    {
        AAX_VCollection collection(world.host.get());
        for (int i = 0; i < 2; ++i)
        {
            AAX_IEffectDescriptor* descriptor = collection.NewDescriptor();
            ASSERT_NE(descriptor->NewPropertyMap(), nullptr);
        }
        // host, collection, two descriptors, two maps.
        EXPECT_EQ(world.live, 6);
    }
    EXPECT_EQ(world.live, 1);
}

} // namespace
