#pragma once

#include "AAX.h"
#include "AAX_ThreadTags.h"
#include "AAX_UIDs.h"

// The host's description of one effect, version 1: names, category, components, create
// procedures and properties. Made by the host's component factory
// (AAXCompID_AAXEffectDescriptor). Host objects passed in are borrowed; the host takes its
// own references to what it keeps. Texts are copied during the call.
class AAX_IACFEffectDescriptor : public IACFUnknown
{
public:
    // [main-thread] component (a component descriptor) is borrowed; the host counts what it
    // keeps. A result code.
    virtual AAX_Result AddComponent(IACFUnknown* component) = 0;
    // [main-thread] Text copied during the call; a result code.
    virtual AAX_Result AddName(const char* name) = 0;
    // [main-thread] A result code.
    virtual AAX_Result AddCategory(uint32 category) = 0;
    // [main-thread] Identifier copied during the call; a result code.
    virtual AAX_Result AddCategoryBypassParameter(uint32 category, AAX_CParamID parameterID) = 0;
    // [main-thread] Registers a create procedure of the module (it stays valid while the module
    // is loaded); a result code.
    virtual AAX_Result AddProcPtr(void* procedure, AAX_CProcPtrID procID) = 0;
    // [main-thread] properties borrowed; a result code.
    virtual AAX_Result SetProperties(IACFUnknown* properties) = 0;
    // [main-thread] Text copied during the call; a result code.
    virtual AAX_Result AddResourceInfo(AAX_EResourceType resourceType, const char* info) = 0;
    // [main-thread] name copied, properties borrowed; a result code.
    virtual AAX_Result AddMeterDescription(AAX_CTypeID meterID, const char* meterName,
                                           IACFUnknown* properties) = 0;

protected:
    ~AAX_IACFEffectDescriptor() = default;
};

// Version 2 adds control MIDI nodes.
class AAX_IACFEffectDescriptor_V2 : public AAX_IACFEffectDescriptor
{
public:
    // [main-thread] Text copied during the call; a result code.
    virtual AAX_Result AddControlMIDINode(AAX_CTypeID nodeID, AAX_EMIDINodeType nodeType,
                                          const char* nodeName, uint32 channelMask) = 0;

protected:
    ~AAX_IACFEffectDescriptor_V2() = default;
};
