#pragma once

#include "AAX.h"
#include "AAX_ThreadTags.h"

class AAX_IEffectDescriptor;
class AAX_IPropertyMap;

// The package being registered, as the description code sees it. Descriptors and maps it
// returns stay owned by the collection and are deleted with it; callers must not delete them.
class AAX_ICollection
{
public:
    virtual ~AAX_ICollection() = default;

    // [main-thread] A new effect descriptor, owned by this collection and deleted with it;
    // never null (without a host object its operations answer kResultNullObject).
    virtual AAX_IEffectDescriptor* NewDescriptor() = 0;
    // [main-thread] Adds an effect under effectID (text copied); descriptor (borrowed) is
    // handed over as its host object. A result code. kResultNullObject without the host
    // interface.
    virtual AAX_Result AddEffect(const char* effectID, AAX_IEffectDescriptor* descriptor) = 0;
    // [main-thread] Text copied during the call; a result code. kResultNullObject without the
    // host interface.
    virtual AAX_Result SetManufacturerName(const char* name) = 0;
    // [main-thread] Text copied during the call; a result code. kResultNullObject without the
    // host interface.
    virtual AAX_Result AddPackageName(const char* name) = 0;
    // [main-thread] A result code. kResultNullObject without the host interface.
    virtual AAX_Result SetPackageVersion(uint32 version) = 0;
    // [main-thread] A new property map, owned by this collection and deleted with it; never
    // null.
    virtual AAX_IPropertyMap* NewPropertyMap() = 0;
    // [main-thread] properties is borrowed; the host counts what it keeps. A result code.
    // kResultNullObject without the host interface.
    virtual AAX_Result SetProperties(AAX_IPropertyMap* properties) = 0;
};
