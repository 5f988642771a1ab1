#pragma once

#include "AAX.h"
#include "AAX_IDma.h"
#include "AAX_UIDs.h"

// The host's description of one real-time processing component, version 1: its context
// fields and process procedures. Made by the host's component factory
// (AAXCompID_AAXComponentDescriptor). Host objects passed in are borrowed; texts and arrays
// are copied during the call.
class AAX_IACFComponentDescriptor : public IACFUnknown
{
public:
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
    virtual AAX_Result AddDmaInstance(AAX_CFieldIndex fieldIndex, AAX_IDma::EMode dmaMode) = 0;
    virtual AAX_Result AddMeters(AAX_CFieldIndex fieldIndex, const AAX_CTypeID* meterIDs,
                                 uint32 meterCount) = 0;
    virtual AAX_Result AddMIDINode(AAX_CFieldIndex fieldIndex, AAX_EMIDINodeType nodeType,
                                   const char* nodeName, uint32 channelMask) = 0;
    virtual AAX_Result AddReservedField(AAX_CFieldIndex fieldIndex, uint32 fieldType) = 0;
    // properties: the host's property map object. Writes the new procedure's ID.
    virtual AAX_Result AddProcessProc_Native(AAX_CProcessProc processProc, IACFUnknown* properties,
                                             AAX_CInstanceInitProc instanceInitProc,
                                             AAX_CBackgroundProc backgroundProc,
                                             AAX_CSelector* outProcID) = 0;
    virtual AAX_Result AddProcessProc_TI(const char* dllFileName, const char* processProcSymbol,
                                         IACFUnknown* properties,
                                         const char* instanceInitProcSymbol,
                                         const char* backgroundProcSymbol,
                                         AAX_CSelector* outProcID) = 0;

protected:
    ~AAX_IACFComponentDescriptor() = default;
};

// Version 2 adds temporary data fields.
class AAX_IACFComponentDescriptor_V2 : public AAX_IACFComponentDescriptor
{
public:
    virtual AAX_Result AddTemporaryData(AAX_CFieldIndex fieldIndex, uint32 dataElementSize) = 0;

protected:
    ~AAX_IACFComponentDescriptor_V2() = default;
};
