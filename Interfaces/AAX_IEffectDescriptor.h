#pragma once

#include "AAX.h"
#include "AAX_ThreadTags.h"

class AAX_IComponentDescriptor;
class AAX_IPropertyMap;

// One effect's description as the description code sees it. Children it returns stay owned
// by the descriptor and are deleted with it; callers must not delete them.
class AAX_IEffectDescriptor
{
public:
    virtual ~AAX_IEffectDescriptor() = default;

    // [main-thread] A new component descriptor, owned by this descriptor and deleted with it;
    // never null (without a host object its operations answer kResultNullObject).
    virtual AAX_IComponentDescriptor* NewComponentDescriptor() = 0;
    // [main-thread] componentDescriptor (borrowed) is handed to the host as its host object; a
    // result code. kResultNullObject without the host interface.
    virtual AAX_Result AddComponent(AAX_IComponentDescriptor* componentDescriptor) = 0;
    // [main-thread] Text copied during the call; a result code. kResultNullObject without the
    // host interface.
    virtual AAX_Result AddName(const char* name) = 0;
    // [main-thread] A result code. kResultNullObject without the host interface.
    virtual AAX_Result AddCategory(uint32 category) = 0;
    // [main-thread] Identifier copied during the call; a result code. kResultNullObject without
    // the host interface.
    virtual AAX_Result AddCategoryBypassParameter(uint32 category, AAX_CParamID parameterID) = 0;
    // [main-thread] Registers a create procedure of the module (it stays valid while the module
    // is loaded); a result code. kResultNullObject without the host interface.
    virtual AAX_Result AddProcPtr(void* procedure, AAX_CProcPtrID procID) = 0;
    // [main-thread] A new property map, owned by this descriptor and deleted with it; never
    // null.
    virtual AAX_IPropertyMap* NewPropertyMap() = 0;
    // [main-thread] properties borrowed; a result code. kResultNullObject without the host
    // interface.
    virtual AAX_Result SetProperties(AAX_IPropertyMap* properties) = 0;
    // [main-thread] Text copied during the call; a result code. kResultNullObject without the
    // host interface.
    virtual AAX_Result AddResourceInfo(AAX_EResourceType resourceType, const char* info) = 0;
    // [main-thread] name copied, properties borrowed; a result code. kResultNullObject without
    // the host interface.
    virtual AAX_Result AddMeterDescription(AAX_CTypeID meterID, const char* meterName,
                                           AAX_IPropertyMap* properties) = 0;
    // [main-thread] Text copied during the call; a result code. kResultUnimplemented when the
    // host lacks the newer version.
    virtual AAX_Result AddControlMIDINode(AAX_CTypeID nodeID, AAX_EMIDINodeType nodeType,
                                          const char* nodeName, uint32 channelMask) = 0;
};
