#pragma once

#include "AAX.h"
#include "AAX_ThreadTags.h"

// The plug-in's view of the host's host-processor delegate: random access to the
// selection's audio, the side-chain count, and requests for another pass. Not reference
// counted: the host processor that makes it owns it from Initialize to Uninitialize.
class AAX_IHostProcessorDelegate
{
public:
    virtual ~AAX_IHostProcessorDelegate() = default;

    // [offline-thread] Fills audioIns[0..audioInCount) (the caller's buffers) with the
    // selection's audio from location on; ioWindowSize gives the samples wanted and receives
    // the samples written. A result code. kResultNullObject without the host interface.
    virtual AAX_Result GetAudio(const float* const audioIns[], int32 audioInCount, int64 location,
                                int32* ioWindowSize) = 0;
    // [offline-thread] The number of side-chain inputs; 0 without the host interface.
    virtual int32 GetSideChainInputNum() = 0;
    // [offline-thread] Asks the host for an analysis pass; a result code. kResultUnimplemented
    // when the host lacks the newer version.
    virtual AAX_Result ForceAnalyze() = 0;
    // [offline-thread] Asks the host for a render pass; a result code. kResultUnimplemented
    // when the host lacks the newer version.
    virtual AAX_Result ForceProcess() = 0;
};
