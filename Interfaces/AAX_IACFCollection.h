#pragma once

#include "AAX.h"
#include "AAX_ThreadTags.h"
#include "AAX_UIDs.h"

// The host's collection, version 1: the package being registered and its effects. Made by
// the host's component factory (AAXCompID_AAXCollection) during plug-in registration; it
// also answers IID_IACFPluginDefinition, which is how registration hands it back. Host
// objects passed in are borrowed; the host takes its own references to what it keeps.
class AAX_IACFCollection : public IACFUnknown
{
public:
    // [main-thread] Adds an effect under effectID (text copied); descriptor is borrowed and the
    // host counts what it keeps. A result code.
    virtual AAX_Result AddEffect(const char* effectID, IACFUnknown* descriptor) = 0;
    // [main-thread] Text copied during the call; a result code.
    virtual AAX_Result SetManufacturerName(const char* name) = 0;
    // [main-thread] Text copied during the call; a result code.
    virtual AAX_Result AddPackageName(const char* name) = 0;
    // [main-thread] A result code.
    virtual AAX_Result SetPackageVersion(uint32 version) = 0;
    // [main-thread] properties is borrowed; the host counts what it keeps. A result code.
    virtual AAX_Result SetProperties(IACFUnknown* properties) = 0;

protected:
    ~AAX_IACFCollection() = default;
};
