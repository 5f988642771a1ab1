#pragma once

#include "AAX.h"
#include "AAX_ThreadTags.h"

class IACFUnknown;

// A property map as the description code sees it. Not reference counted: whoever made the
// map owns it (a collection or descriptor wrapper), callers get plain pointers.
class AAX_IPropertyMap
{
public:
    virtual ~AAX_IPropertyMap() = default;

    // [main-thread] 1 and the value in outValue (the caller's) when the property is set; 0
    // otherwise or without the host map.
    virtual AAX_CBoolean GetProperty(AAX_EProperty property,
                                     AAX_CPropertyValue* outValue) const = 0;
    // [main-thread] Sets the property; a result code. kResultNullObject without the host
    // interface.
    virtual AAX_Result AddProperty(AAX_EProperty property, AAX_CPropertyValue value) = 0;
    // [main-thread] A result code. kResultNullObject without the host interface.
    virtual AAX_Result RemoveProperty(AAX_EProperty property) = 0;
    // [main-thread] The triads (numIdentifiers of them) are copied during the call; a result
    // code. kResultUnimplemented when the host lacks the newer version.
    virtual AAX_Result AddPropertyWithIDArray(AAX_EProperty property,
                                              const AAX_SPlugInIdentifierTriad* pluginIDs,
                                              uint32 count) = 0;
    // [main-thread] 1 and the host's array (owned by the map, valid while it lives) and its
    // length when the property is set; 0 otherwise or without the host's version 2.
    virtual AAX_CBoolean GetPropertyWithIDArray(AAX_EProperty property,
                                                const AAX_SPlugInIdentifierTriad** outPluginIDs,
                                                uint32* outCount) const = 0;
};
