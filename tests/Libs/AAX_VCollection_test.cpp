#include "AAX_VCollection.h"

#include <gtest/gtest.h>

#include "DescriptionHostFake.h"

namespace
{

TEST(AAX_VCollection, ForwardsPackageCallsAndAddsTheDescriptorsHostObject)
{
    fake::World world;
    ACFPtr<fake::Host> host(new fake::Host(world));
    {
        AAX_VCollection collection(host.get());
        ASSERT_NE(collection.GetIUnknown(), nullptr);
        AAX_IEffectDescriptor* descriptor = collection.NewDescriptor();
        ASSERT_NE(descriptor, nullptr);
        EXPECT_EQ(collection.AddEffect("com.example.effect", descriptor), kResultSuccess);
        EXPECT_EQ(collection.SetManufacturerName("Brenlow"), kResultSuccess);
        EXPECT_EQ(collection.AddPackageName("Orvendal QV"), kResultSuccess);
        EXPECT_EQ(collection.SetPackageVersion(1), kResultSuccess);
        EXPECT_EQ(collection.SetProperties(collection.NewPropertyMap()), kResultSuccess);
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
    host.Clear();
    EXPECT_EQ(world.live, 0);
}

TEST(AAX_VCollection, NullHostStillMakesDescriptorsButForwardsNothing)
{
    AAX_VCollection collection(nullptr);
    EXPECT_EQ(collection.GetIUnknown(), nullptr);
    AAX_IEffectDescriptor* descriptor = collection.NewDescriptor();
    ASSERT_NE(descriptor, nullptr);
    EXPECT_EQ(collection.AddEffect("com.example.effect", descriptor), kResultNullObject);
    EXPECT_EQ(collection.SetManufacturerName("Brenlow"), kResultNullObject);
    EXPECT_EQ(collection.AddPackageName("Orvendal QV"), kResultNullObject);
    EXPECT_EQ(collection.SetPackageVersion(1), kResultNullObject);
    EXPECT_EQ(collection.SetProperties(nullptr), kResultNullObject);
    EXPECT_EQ(descriptor->AddName("Orv"), kResultNullObject);
}

TEST(AAX_VCollection, DestructionReleasesEveryChildOnce)
{
    fake::World world;
    ACFPtr<fake::Host> host(new fake::Host(world));
    {
        AAX_VCollection collection(host.get());
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
