#include "AAX_Init.h"

#include <gtest/gtest.h>

#include <functional>

#include "AAX_CHostServices.h"
#include "AAX_ICollection.h"
#include "AAX_IEffectDescriptor.h"
#include "AAX_VCollection.h"
#include "CACFUnknown.h"
#include "DescriptionHostFake.h"

namespace
{
// What the plug-in's description does in these tests.
std::function<AAX_Result(AAX_ICollection*)> gDescribe;
} // namespace

AAX_Result GetEffectDescriptions(AAX_ICollection* collection)
{
    return gDescribe ? gDescribe(collection) : kResultSuccess;
}

namespace
{

class AAX_Init : public ::testing::Test
{
protected:
    void TearDown() override { gDescribe = nullptr; }
};

AAX_Result DescribeOneEffect(AAX_ICollection* collection)
{
    AAX_IEffectDescriptor* descriptor = collection->NewDescriptor();
    descriptor->AddName("Orv");
    return collection->AddEffect("com.example", descriptor);
}

TEST_F(AAX_Init, RegisterHandsBackTheHostCollectionAsPluginDefinition)
{
    fake::World world;
    ACFPtr<fake::Host> host(new fake::Host(world));
    gDescribe = DescribeOneEffect;

    IACFPluginDefinition* definition = nullptr;
    ASSERT_EQ(AAXRegisterPlugin(host.get(), &definition), kResultSuccess);
    ASSERT_NE(definition, nullptr);
    EXPECT_EQ(world.calls, (std::vector<std::string>{"AddName Orv", "AddEffect com.example"}));
    // Host, collection and the effect it took live on; the wrappers' references are gone,
    // so the definition's reference is the only one on the collection.
    EXPECT_EQ(world.live, 3);
    EXPECT_EQ(definition->Release(), 0u);
    EXPECT_EQ(world.live, 1);
}

TEST_F(AAX_Init, RegisterReportsDescriptionAndDefinitionFailures)
{
    fake::World world;
    ACFPtr<fake::Host> host(new fake::Host(world));
    auto* const untouched = reinterpret_cast<IACFPluginDefinition*>(0x1);

    gDescribe = [](AAX_ICollection*) { return static_cast<AAX_Result>(kResultUnimplemented); };
    IACFPluginDefinition* definition = untouched;
    EXPECT_EQ(AAXRegisterPlugin(host.get(), &definition), kResultUnimplemented);
    EXPECT_EQ(definition, untouched);

    gDescribe = DescribeOneEffect;
    world.options.pluginDefinition = false;
    EXPECT_EQ(AAXRegisterPlugin(host.get(), &definition), kResultNullObject);
    EXPECT_EQ(definition, nullptr);
    EXPECT_EQ(AAXRegisterPlugin(nullptr, &definition), kResultNullObject);
    EXPECT_EQ(AAXRegisterPlugin(host.get(), nullptr), kResultNullArgument);
    EXPECT_EQ(world.live, 1);

    // The library lets exceptions through; the exports catch them.
    gDescribe = [](AAX_ICollection*) -> AAX_Result { throw 7; };
    EXPECT_THROW(AAXRegisterPlugin(host.get(), &definition), int);
    EXPECT_EQ(world.live, 1);
}

TEST_F(AAX_Init, ComponentAndFactoryQueriesAnswerNone)
{
    auto* definition = reinterpret_cast<IACFComponentDefinition*>(0x1);
    EXPECT_EQ(AAXRegisterComponent(nullptr, 5, &definition), kResultSuccess);
    EXPECT_EQ(definition, nullptr);
    void* factory = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(AAXGetClassFactory(nullptr, IID_IACFUnknown, IID_IACFUnknown, &factory),
              kResultUnimplemented);
    EXPECT_EQ(factory, nullptr);
    EXPECT_EQ(AAXRegisterComponent(nullptr, 0, nullptr), kResultSuccess);
}

TEST_F(AAX_Init, VersionAndLiveComponentCount)
{
    uint64 version = 0;
    EXPECT_EQ(AAXGetSDKVersion(&version), kResultSuccess);
    EXPECT_EQ(version, 2207623157478ULL);
    EXPECT_EQ(version >> 32, 0x0202u);
    EXPECT_EQ(AAXGetSDKVersion(nullptr), kResultNullArgument);

    const int32 before = AAXCanUnloadNow(nullptr);
    {
        struct Component : CACFUnknown
        {
        };
        Component first;
        Component second;
        EXPECT_EQ(AAXCanUnloadNow(nullptr), before + 2);
    }
    EXPECT_EQ(AAXCanUnloadNow(nullptr), before);
}

TEST_F(AAX_Init, StartupInstallsHostServicesOnceAndShutdownRemovesThem)
{
    fake::World world;
    ACFPtr<fake::Host> host(new fake::Host(world));
    ASSERT_EQ(AAX_CHostServices::Get(), nullptr);
    EXPECT_EQ(AAXStartup(host.get()), kResultSuccess);
    AAX_IHostServices* installed = AAX_CHostServices::Get();
    ASSERT_NE(installed, nullptr);
    EXPECT_EQ(AAXStartup(host.get()), kResultSuccess);
    EXPECT_EQ(AAX_CHostServices::Get(), installed);
    EXPECT_EQ(AAXShutdown(nullptr), kResultSuccess);
    EXPECT_EQ(AAX_CHostServices::Get(), nullptr);
    EXPECT_EQ(AAXShutdown(nullptr), kResultSuccess);
    EXPECT_EQ(world.live, 1);
}

} // namespace
