// Loads the built module with dlopen, exactly as a host does, and checks what it registers
// and how it counts its components.

#include <gtest/gtest.h>

#include "HostCollection.h"
#include "HostDescriptionMakers.h"
#include "PluginModule.h"
#include "ReferenceHost.h"

using namespace orv::host;

namespace
{

constexpr AAX_CProcPtrID kParametersProc = 0;
constexpr AAX_CProcPtrID kHostProcessorProc = 3;
constexpr AAX_CProcPtrID kEditorProc = 1;

std::unique_ptr<PluginModule> OpenModule()
{
    std::string error;
    auto module = PluginModule::Open(ORV_MODULE_FILE, &error);
    EXPECT_TRUE(module) << error;
    return module;
}

IACFUnknown* Create(const HostEffectDescriptor& effect, AAX_CProcPtrID id)
{
    auto procedure = reinterpret_cast<IACFUnknown* (*)()>(effect.FindProcedure(id));
    return procedure ? procedure() : nullptr;
}

TEST(ModuleLoad, RegistersTheEffectDescription)
{
    ReferenceHost host;
    std::string error;
    auto module = PluginModule::Load(ORV_BUNDLE_DIR, host, &error);
    ASSERT_TRUE(module) << error;
    EXPECT_EQ(module->FilePath(), ORV_MODULE_FILE);

    const HostCollection& description = *module->Description();
    EXPECT_EQ(description.Log().Calls(),
              (std::vector<std::string>{"AddEffect", "SetManufacturerName", "AddPackageName",
                                        "SetPackageVersion"}));
    EXPECT_EQ(description.ManufacturerName(), "Brenlow");
    EXPECT_EQ(description.PackageNames(), std::vector<std::string>{"Orvendal QV"});
    EXPECT_EQ(description.PackageVersion(), 1u);
    ASSERT_EQ(description.Effects().size(), 1u);
    EXPECT_EQ(description.Effects()[0].id, "com.Brenlow.aax.orvendal");

    const HostEffectDescriptor& effect = *module->Effect();
    EXPECT_EQ(effect.Names(),
              (std::vector<std::string>{"Orvendal QV", "Orvendal", "Orvdl", "Orv"}));
    EXPECT_EQ(effect.Categories(), std::vector<uint32>{128});
    std::vector<AAX_CProcPtrID> ids;
    for (const auto& procedure : effect.Procedures())
    {
        ids.push_back(procedure.id);
        EXPECT_NE(procedure.procedure, nullptr);
    }
    EXPECT_EQ(ids, (std::vector<AAX_CProcPtrID>{kParametersProc, kHostProcessorProc, kEditorProc}));
    EXPECT_TRUE(effect.Components().empty());

    ASSERT_NE(effect.Properties(), nullptr);
    const std::vector<HostPropertyMap::Entry> properties = {
        {11, 0x42724C77}, {12, 0x4F727665}, {14, 0x4F517673}, {113, 1}, {114, 1},
        {151, 0},         {110, 1},         {111, 1},         {102, 1},
    };
    EXPECT_EQ(effect.Properties()->Entries(), properties);
}

TEST(ModuleLoad, CountsLiveComponentsUntilTheyAreReleased)
{
    ReferenceHost host;
    std::string error;
    auto module = PluginModule::Load(ORV_BUNDLE_DIR, host, &error);
    ASSERT_TRUE(module) << error;
    const HostEffectDescriptor& effect = *module->Effect();
    EXPECT_EQ(module->CanUnloadNow(), 0);

    IACFUnknown* parameters = Create(effect, kParametersProc);
    IACFUnknown* editor = Create(effect, kEditorProc);
    IACFUnknown* first = Create(effect, kHostProcessorProc);
    IACFUnknown* second = Create(effect, kHostProcessorProc);
    ASSERT_TRUE(parameters && editor && first && second);
    EXPECT_NE(first, second);
    EXPECT_EQ(module->CanUnloadNow(), 4);

    // Each arrives with count 0: the first reference is the host's.
    for (IACFUnknown* component : {parameters, editor, first, second})
        EXPECT_EQ(component->AddRef(), 1u);
    EXPECT_EQ(parameters->Release(), 0u);
    EXPECT_EQ(editor->Release(), 0u);
    EXPECT_EQ(module->CanUnloadNow(), 2);
    EXPECT_EQ(first->Release(), 0u);
    EXPECT_EQ(module->CanUnloadNow(), 1);
    EXPECT_EQ(second->Release(), 0u);
    EXPECT_EQ(module->CanUnloadNow(), 0);
}

TEST(ModuleLoad, EntryPointsAnswerAsTheHostExpects)
{
    auto module = OpenModule();
    ASSERT_TRUE(module);
    const ModuleEntryPoints& entry = module->EntryPoints();

    uint64 version = 0;
    EXPECT_EQ(entry.getSDKVersion(&version), kResultSuccess);
    EXPECT_EQ(version, 0x00000202009816E6ULL);
    EXPECT_EQ(entry.getSDKVersion(nullptr), kResultNullArgument);

    auto* component = reinterpret_cast<IACFComponentDefinition*>(0x1);
    EXPECT_EQ(entry.registerComponent(nullptr, 3, &component), kResultSuccess);
    EXPECT_EQ(component, nullptr);
    void* factory = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(entry.getClassFactory(nullptr, IID_IACFUnknown, IID_IACFUnknown, &factory),
              kResultUnimplemented);
    EXPECT_EQ(factory, nullptr);

    // Start-up twice makes the host services once; shutdown twice is harmless.
    ReferenceHost host;
    EXPECT_EQ(module->Startup(host.Context()), kResultSuccess);
    EXPECT_EQ(module->Startup(host.Context()), kResultSuccess);
    size_t servicesRequests = 0;
    for (const auto& request : host.Factory().Requests())
        if (request.compID == AAXCompID_HostServices) ++servicesRequests;
    EXPECT_EQ(servicesRequests, 2u); // version 1 and version 2, once
    EXPECT_EQ(module->Shutdown(), kResultSuccess);
    EXPECT_EQ(module->Shutdown(), kResultSuccess);
}

TEST(ModuleLoad, RegistrationFailuresReachTheHostAsCodes)
{
    auto module = OpenModule();
    ASSERT_TRUE(module);

    // A host whose descriptor throws: the export turns it into kResultUnexpected.
    ReferenceHost throwing;
    HostDescriptionOptions options;
    options.throwInAddName = true;
    HostDescriptionMakers::Register(throwing.Factory(), options);
    EXPECT_EQ(module->Register(throwing.Context()), static_cast<AAX_Result>(0x8000FFFF));

    ReferenceHost failing;
    options = HostDescriptionOptions();
    options.setPropertiesResult = kResultUnimplemented;
    HostDescriptionMakers::Register(failing.Factory(), options);
    EXPECT_EQ(module->Register(failing.Context()), kResultUnimplemented);

    ReferenceHost noDefinition;
    options = HostDescriptionOptions();
    options.offerPluginDefinition = false;
    HostDescriptionMakers::Register(noDefinition.Factory(), options);
    EXPECT_EQ(module->Register(noDefinition.Context()), kResultNullObject);

    // A host without description objects at all.
    ReferenceHost bare;
    EXPECT_EQ(module->Register(bare.Context()), kResultNullObject);
    EXPECT_EQ(module->Description(), nullptr);
    EXPECT_EQ(module->CanUnloadNow(), 0);
}

TEST(ModuleLoad, BadModulesGiveOneLineErrors)
{
    std::string error;
    EXPECT_FALSE(PluginModule::Open("/nonexistent/Orvendal QV.aaxplugin", &error));
    EXPECT_NE(error.find("cannot load module"), std::string::npos);
    EXPECT_EQ(error.find('\n'), std::string::npos);
    EXPECT_EQ(PluginModule::ModuleFilePath(ORV_BUNDLE_DIR "/"), ORV_MODULE_FILE);
}

} // namespace
