#pragma once

#include "AAX.h"

class IACFUnknown;

// A property map as the description code sees it. Not reference counted: whoever made the
// map owns it (a collection or descriptor wrapper), callers get plain pointers.
class AAX_IPropertyMap
{
public:
    virtual ~AAX_IPropertyMap() = default;

    // True, with the value written, when the property is present; false otherwise or when
    // the host offers no map.
    virtual AAX_CBoolean GetProperty(AAX_EProperty property,
                                     AAX_CPropertyValue* outValue) const = 0;
    virtual AAX_Result AddProperty(AAX_EProperty property, AAX_CPropertyValue value) = 0;
    virtual AAX_Result RemoveProperty(AAX_EProperty property) = 0;
    // The host copies count triads during the call.
    virtual AAX_Result AddPropertyWithIDArray(AAX_EProperty property,
                                              const AAX_SPlugInIdentifierTriad* pluginIDs,
                                              uint32 count) = 0;
    // True when present; outPluginIDs then points at the host's copy, valid until the map
    // changes.
    virtual AAX_CBoolean GetPropertyWithIDArray(AAX_EProperty property,
                                                const AAX_SPlugInIdentifierTriad** outPluginIDs,
                                                uint32* outCount) const = 0;
};
