#pragma once

#include "AAX.h"

class AAX_IComponentDescriptor;
class AAX_IPropertyMap;

// One effect's description as the description code sees it. Children it returns stay owned
// by the descriptor and are deleted with it; callers must not delete them.
class AAX_IEffectDescriptor
{
public:
    virtual ~AAX_IEffectDescriptor() = default;

    virtual AAX_IComponentDescriptor* NewComponentDescriptor() = 0;
    virtual AAX_Result AddComponent(AAX_IComponentDescriptor* componentDescriptor) = 0;
    virtual AAX_Result AddName(const char* name) = 0;
    virtual AAX_Result AddCategory(uint32 category) = 0;
    virtual AAX_Result AddCategoryBypassParameter(uint32 category, AAX_CParamID parameterID) = 0;
    // procedure: a create procedure of the kind procID, valid while the module is loaded.
    virtual AAX_Result AddProcPtr(void* procedure, AAX_CProcPtrID procID) = 0;
    virtual AAX_IPropertyMap* NewPropertyMap() = 0;
    virtual AAX_Result SetProperties(AAX_IPropertyMap* properties) = 0;
    virtual AAX_Result AddResourceInfo(AAX_EResourceType resourceType, const char* info) = 0;
    virtual AAX_Result AddMeterDescription(AAX_CTypeID meterID, const char* meterName,
                                           AAX_IPropertyMap* properties) = 0;
    virtual AAX_Result AddControlMIDINode(AAX_CTypeID nodeID, AAX_EMIDINodeType nodeType,
                                          const char* nodeName, uint32 channelMask) = 0;
};
