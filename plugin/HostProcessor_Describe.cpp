#include "HostProcessor_Describe.h"

#include <iterator>

#include "AAX_Errors.h"
#include "AAX_ICollection.h"
#include "AAX_IEffectDescriptor.h"
#include "AAX_IPropertyMap.h"
#include "AAX_Init.h"
#include "DemoDelay_HostProcessor.h"
#include "DemoDelay_Parameters.h"
#include "DemoGain_GUI.h"

namespace
{

constexpr const char* kManufacturerName = "Brenlow";
constexpr const char* kPackageName = "Orvendal QV";
constexpr uint32 kPackageVersion = 1;

constexpr const char* kEffectID = "com.Brenlow.aax.orvendal";
// Longest first: the host picks the first that fits its space.
constexpr const char* kEffectNames[] = {"Orvendal QV", "Orvendal", "Orvdl", "Orv"};
constexpr uint32 kEffectCategory = 0x80;

constexpr AAX_CTypeID FourCharCode(const char (&code)[5])
{
    return (static_cast<AAX_CTypeID>(static_cast<unsigned char>(code[0])) << 24) |
           (static_cast<AAX_CTypeID>(static_cast<unsigned char>(code[1])) << 16) |
           (static_cast<AAX_CTypeID>(static_cast<unsigned char>(code[2])) << 8) |
           static_cast<AAX_CTypeID>(static_cast<unsigned char>(code[3]));
}

struct Property
{
    int32 property;
    AAX_CPropertyValue value;
};

// The identifier triad, then flags whose meaning is the host's, in the order added.
constexpr Property kEffectProperties[] = {
    {AAX_eProperty_ManufacturerID, static_cast<AAX_CPropertyValue>(FourCharCode("BrLw"))},
    {AAX_eProperty_ProductID, static_cast<AAX_CPropertyValue>(FourCharCode("Orve"))},
    {AAX_eProperty_PlugInID_AudioSuite, static_cast<AAX_CPropertyValue>(FourCharCode("OQvs"))},
    {113, 1},
    {114, 1},
    {151, 0},
    {110, 1},
    {111, 1},
    {102, 1},
};

struct CreateProcedure
{
    AAX_CProcPtrID id;
    void* procedure;
};

// The components of one effect instance, in registration order: the data model, the offline
// processor and the editor.
const CreateProcedure kCreateProcedures[] = {
    {kAAX_ProcPtrID_Create_EffectParameters,
     reinterpret_cast<void*>(&DemoDelay_Parameters::Create)},
    {kAAX_ProcPtrID_Create_HostProcessor,
     reinterpret_cast<void*>(&DemoDelay_HostProcessor::Create)},
    {kAAX_ProcPtrID_Create_EffectGUI, reinterpret_cast<void*>(&DemoGain_GUI::Create)},
};

} // namespace

AAX_Result HostProcessor_GetEffectDescriptions(AAX_ICollection* collection)
{
    if (!collection) return kResultNullObject;
    AAX_IEffectDescriptor* descriptor = collection->NewDescriptor();
    if (!descriptor) return kResultNullObject;

    // Results of the describing calls are the host's business: it keeps what it accepts.
    AAX_IPropertyMap* properties = descriptor->NewPropertyMap();
    if (properties)
        for (const Property& entry : kEffectProperties)
            properties->AddProperty(static_cast<AAX_EProperty>(entry.property), entry.value);
    for (const char* name : kEffectNames)
        descriptor->AddName(name);
    descriptor->AddCategory(kEffectCategory);
    for (const CreateProcedure& entry : kCreateProcedures)
        descriptor->AddProcPtr(entry.procedure, entry.id);

    const AAX_Result attached = descriptor->SetProperties(properties);
    if (attached != kResultSuccess) return attached;
    return collection->AddEffect(kEffectID, descriptor);
}

AAX_Result GetEffectDescriptions(AAX_ICollection* collection)
{
    const AAX_Result described = HostProcessor_GetEffectDescriptions(collection);
    if (collection)
    {
        collection->SetManufacturerName(kManufacturerName);
        collection->AddPackageName(kPackageName);
        collection->SetPackageVersion(kPackageVersion);
    }
    return described;
}
