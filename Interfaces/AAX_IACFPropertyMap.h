#pragma once

#include "AAX.h"
#include "AAX_ThreadTags.h"
#include "AAX_UIDs.h"

// The host's property map, version 1: property numbers with signed 32-bit values. Made by
// the host's component factory (AAXCompID_AAXPropertyMap).
class AAX_IACFPropertyMap : public IACFUnknown
{
public:
    // [main-thread] 1 and the value in outValue (the caller's) when the property is set, else
    // 0.
    virtual AAX_CBoolean GetProperty(AAX_EProperty property, AAX_CPropertyValue* outValue) = 0;
    // [main-thread] Sets the property; a result code.
    virtual AAX_Result AddProperty(AAX_EProperty property, AAX_CPropertyValue value) = 0;
    // [main-thread] A result code.
    virtual AAX_Result RemoveProperty(AAX_EProperty property) = 0;

protected:
    ~AAX_IACFPropertyMap() = default;
};

// Version 2 adds properties whose value is an array of plug-in identifier triads.
class AAX_IACFPropertyMap_V2 : public AAX_IACFPropertyMap
{
public:
    // [main-thread] The triads (numIdentifiers of them) are copied during the call; a result
    // code.
    virtual AAX_Result AddPropertyWithIDArray(AAX_EProperty property,
                                              const AAX_SPlugInIdentifierTriad* pluginIDs,
                                              uint32 count) = 0;
    // [main-thread] 1 and the host's array (owned by the map, valid while it lives) and its
    // length when the property is set, else 0.
    virtual AAX_CBoolean GetPropertyWithIDArray(AAX_EProperty property,
                                                const AAX_SPlugInIdentifierTriad** outPluginIDs,
                                                uint32* outCount) = 0;

protected:
    ~AAX_IACFPropertyMap_V2() = default;
};
