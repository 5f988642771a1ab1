#pragma once

#include "AAX.h"

// The plug-in's view of the host's host-processor delegate: random access to the
// selection's audio, the side-chain count, and requests for another pass. Not reference
// counted: the host processor that makes it owns it from Initialize to Uninitialize.
class AAX_IHostProcessorDelegate
{
public:
    virtual ~AAX_IHostProcessorDelegate() = default;

    // Fills audioIns[0..audioInCount) with the selection's audio from location on;
    // ioWindowSize gives the samples wanted and receives the samples written. The buffers
    // belong to the caller.
    virtual AAX_Result GetAudio(const float* const audioIns[], int32 audioInCount, int64 location,
                                int32* ioWindowSize) = 0;
    virtual int32 GetSideChainInputNum() = 0;
    virtual AAX_Result ForceAnalyze() = 0;
    virtual AAX_Result ForceProcess() = 0;
};
