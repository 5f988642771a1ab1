#pragma once

#include "AAX.h"
#include "AAX_UIDs.h"

// The host's collection, version 1: the package being registered and its effects. Made by
// the host's component factory (AAXCompID_AAXCollection) during plug-in registration; it
// also answers IID_IACFPluginDefinition, which is how registration hands it back. Host
// objects passed in are borrowed; the host takes its own references to what it keeps.
class AAX_IACFCollection : public IACFUnknown
{
public:
    // descriptor: the host's effect descriptor object (as made by the factory).
    virtual AAX_Result AddEffect(const char* effectID, IACFUnknown* descriptor) = 0;
    virtual AAX_Result SetManufacturerName(const char* name) = 0;
    virtual AAX_Result AddPackageName(const char* name) = 0;
    virtual AAX_Result SetPackageVersion(uint32 version) = 0;
    // properties: the host's property map object.
    virtual AAX_Result SetProperties(IACFUnknown* properties) = 0;

protected:
    ~AAX_IACFCollection() = default;
};
