#pragma once

#include "AAX.h"
#include "AAX_IDma.h"
#include "AAX_ThreadTags.h"
#include "AAX_UIDs.h"

// The host's description of one real-time processing component, version 1: its context
// fields and process procedures. Made by the host's component factory
// (AAXCompID_AAXComponentDescriptor). Host objects passed in are borrowed; texts and arrays
// are copied during the call.
class AAX_IACFComponentDescriptor : public IACFUnknown
{
public:
    // [main-thread] Forgets everything described so far; a result code.
    virtual AAX_Result Clear() = 0;
    // [main-thread] Describes the audio input field; a result code.
    virtual AAX_Result AddAudioIn(AAX_CFieldIndex fieldIndex) = 0;
    // [main-thread] Describes the audio output field; a result code.
    virtual AAX_Result AddAudioOut(AAX_CFieldIndex fieldIndex) = 0;
    // [main-thread] Describes the buffer-length field; a result code.
    virtual AAX_Result AddAudioBufferLength(AAX_CFieldIndex fieldIndex) = 0;
    // [main-thread] Describes the sample-rate field; a result code.
    virtual AAX_Result AddSampleRate(AAX_CFieldIndex fieldIndex) = 0;
    // [main-thread] Describes the clock field; a result code.
    virtual AAX_Result AddClock(AAX_CFieldIndex fieldIndex) = 0;
    // [main-thread] Describes the side-chain input field; a result code.
    virtual AAX_Result AddSideChainIn(AAX_CFieldIndex fieldIndex) = 0;
    // [main-thread] Describes a packet port of packetSize bytes; a result code.
    virtual AAX_Result AddDataInPort(AAX_CFieldIndex fieldIndex, uint32 packetSize,
                                     AAX_EDataInPortType portType) = 0;
    // [main-thread] Describes an auxiliary output (name copied); a result code.
    virtual AAX_Result AddAuxOutputStem(AAX_CFieldIndex fieldIndex, int32 stemFormat,
                                        const char* name) = 0;
    // [main-thread] Describes a private data block; a result code.
    virtual AAX_Result AddPrivateData(AAX_CFieldIndex fieldIndex, int32 dataSize,
                                      uint32 options) = 0;
    // [main-thread] Describes a DMA field; a result code.
    virtual AAX_Result AddDmaInstance(AAX_CFieldIndex fieldIndex, AAX_IDma::EMode dmaMode) = 0;
    // [main-thread] Describes the meters (meterIDs copied during the call); a result code.
    virtual AAX_Result AddMeters(AAX_CFieldIndex fieldIndex, const AAX_CTypeID* meterIDs,
                                 uint32 meterCount) = 0;
    // [main-thread] Describes a MIDI node (name copied); a result code.
    virtual AAX_Result AddMIDINode(AAX_CFieldIndex fieldIndex, AAX_EMIDINodeType nodeType,
                                   const char* nodeName, uint32 channelMask) = 0;
    // [main-thread] Reserves a field; a result code.
    virtual AAX_Result AddReservedField(AAX_CFieldIndex fieldIndex, uint32 fieldType) = 0;
    // [main-thread] Registers the native procedures (properties borrowed, the host counts what
    // it keeps); writes their ID into outProcID (the caller's). A result code.
    virtual AAX_Result AddProcessProc_Native(AAX_CProcessProc processProc, IACFUnknown* properties,
                                             AAX_CInstanceInitProc instanceInitProc,
                                             AAX_CBackgroundProc backgroundProc,
                                             AAX_CSelector* outProcID) = 0;
    // [main-thread] Registers DSP procedures by name (texts copied, properties borrowed);
    // writes their ID into outProcID. A result code.
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
    // [main-thread] Describes a temporary data block; a result code.
    virtual AAX_Result AddTemporaryData(AAX_CFieldIndex fieldIndex, uint32 dataElementSize) = 0;

protected:
    ~AAX_IACFComponentDescriptor_V2() = default;
};
