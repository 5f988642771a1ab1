#pragma once

#include "AAX.h"

class AAX_IEffectDescriptor;
class AAX_IPropertyMap;

// The package being registered, as the description code sees it. Descriptors and maps it
// returns stay owned by the collection and are deleted with it; callers must not delete them.
class AAX_ICollection
{
public:
    virtual ~AAX_ICollection() = default;

    virtual AAX_IEffectDescriptor* NewDescriptor() = 0;
    // Hands descriptor's host object to the host under effectID; null gives kResultNullObject.
    virtual AAX_Result AddEffect(const char* effectID, AAX_IEffectDescriptor* descriptor) = 0;
    virtual AAX_Result SetManufacturerName(const char* name) = 0;
    virtual AAX_Result AddPackageName(const char* name) = 0;
    virtual AAX_Result SetPackageVersion(uint32 version) = 0;
    virtual AAX_IPropertyMap* NewPropertyMap() = 0;
    virtual AAX_Result SetProperties(AAX_IPropertyMap* properties) = 0;
};
