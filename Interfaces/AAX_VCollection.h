#pragma once

#include <memory>
#include <vector>

#include "AAX_IACFCollection.h"
#include "AAX_ICollection.h"
#include "AAX_VEffectDescriptor.h"
#include "AAX_VPropertyMap.h"
#include "ACFPtr.h"

// Forwards AAX_ICollection to the collection the host's component factory makes, and owns
// the effect descriptors and property maps it makes. Lives for one registration call.
// Without a host collection every forwarding operation answers kResultNullObject.
class AAX_VCollection : public AAX_ICollection
{
public:
    // Keeps host (may be null) with one reference and asks its factory for a collection.
    explicit AAX_VCollection(IACFUnknown* host);
    // Deletes the descriptors, then the maps it made; then releases the host collection and
    // the host object. What the host took keeps living through its own references.
    ~AAX_VCollection() override;

    AAX_VCollection(const AAX_VCollection&) = delete;
    AAX_VCollection& operator=(const AAX_VCollection&) = delete;

    // The host's collection (not counted), or null.
    IACFUnknown* GetIUnknown() const { return mICollection.get(); }

    AAX_IEffectDescriptor* NewDescriptor() override;
    AAX_Result AddEffect(const char* effectID, AAX_IEffectDescriptor* descriptor) override;
    AAX_Result SetManufacturerName(const char* name) override;
    AAX_Result AddPackageName(const char* name) override;
    AAX_Result SetPackageVersion(uint32 version) override;
    AAX_IPropertyMap* NewPropertyMap() override;
    AAX_Result SetProperties(AAX_IPropertyMap* properties) override;

private:
    ACFPtr<IACFUnknown> mUnknown;
    ACFPtr<AAX_IACFCollection> mICollection;
    std::vector<std::unique_ptr<AAX_VEffectDescriptor>> mEffectDescriptors;
    std::vector<std::unique_ptr<AAX_VPropertyMap>> mPropertyMaps;
};
