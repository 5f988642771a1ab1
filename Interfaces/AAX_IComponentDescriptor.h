#pragma once

#include "AAX.h"
#include "AAX_IDma.h"

class AAX_IPropertyMap;

// A real-time processing component's description as the description code sees it. Property
// maps it returns stay owned by the descriptor; callers must not delete them.
class AAX_IComponentDescriptor
{
public:
    virtual ~AAX_IComponentDescriptor() = default;

    virtual AAX_Result Clear() = 0;
    virtual AAX_Result AddAudioIn(AAX_CFieldIndex fieldIndex) = 0;
    virtual AAX_Result AddAudioOut(AAX_CFieldIndex fieldIndex) = 0;
    virtual AAX_Result AddAudioBufferLength(AAX_CFieldIndex fieldIndex) = 0;
    virtual AAX_Result AddSampleRate(AAX_CFieldIndex fieldIndex) = 0;
    virtual AAX_Result AddClock(AAX_CFieldIndex fieldIndex) = 0;
    virtual AAX_Result AddSideChainIn(AAX_CFieldIndex fieldIndex) = 0;
    virtual AAX_Result AddDataInPort(AAX_CFieldIndex fieldIndex, uint32 packetSize,
                                     AAX_EDataInPortType portType) = 0;
    virtual AAX_Result AddAuxOutputStem(AAX_CFieldIndex fieldIndex, int32 stemFormat,
                                        const char* name) = 0;
    virtual AAX_Result AddPrivateData(AAX_CFieldIndex fieldIndex, int32 dataSize,
                                      uint32 options) = 0;
    virtual AAX_Result AddTemporaryData(AAX_CFieldIndex fieldIndex, uint32 dataElementSize) = 0;
    virtual AAX_Result AddDmaInstance(AAX_CFieldIndex fieldIndex, AAX_IDma::EMode dmaMode) = 0;
    virtual AAX_Result AddMeters(AAX_CFieldIndex fieldIndex, const AAX_CTypeID* meterIDs,
                                 uint32 meterCount) = 0;
    virtual AAX_Result AddMIDINode(AAX_CFieldIndex fieldIndex, AAX_EMIDINodeType nodeType,
                                   const char* nodeName, uint32 channelMask) = 0;
    virtual AAX_Result AddReservedField(AAX_CFieldIndex fieldIndex, uint32 fieldType) = 0;
    // A new, empty map owned by this descriptor.
    virtual AAX_IPropertyMap* NewPropertyMap() const = 0;
    // A new map owned by this descriptor, holding the properties 10 to 401 of source.
    virtual AAX_IPropertyMap* DuplicatePropertyMap(AAX_IPropertyMap* source) const = 0;
    virtual AAX_Result AddProcessProc_Native(AAX_CProcessProc processProc,
                                             AAX_IPropertyMap* properties,
                                             AAX_CInstanceInitProc instanceInitProc,
                                             AAX_CBackgroundProc backgroundProc,
                                             AAX_CSelector* outProcID) = 0;
    virtual AAX_Result AddProcessProc_TI(const char* dllFileName, const char* processProcSymbol,
                                         AAX_IPropertyMap* properties,
                                         const char* instanceInitProcSymbol,
                                         const char* backgroundProcSymbol,
                                         AAX_CSelector* outProcID) = 0;
};
