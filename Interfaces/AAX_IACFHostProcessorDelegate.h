#pragma once

#include "AAX.h"
#include "AAX_ThreadTags.h"
#include "AAX_UIDs.h"

// The host's side of an offline processor, version 1: random access to the selection's audio
// and the side-chain count. Queried on the host object the host processor receives in
// Initialize; held counted.
class AAX_IACFHostProcessorDelegate : public IACFUnknown
{
public:
    // [offline-thread] Fills audioIns[0..audioInCount) (the caller's buffers) with the
    // selection's audio from location on; ioWindowSize gives the samples wanted and receives
    // the samples written. A result code.
    virtual AAX_Result GetAudio(const float* const audioIns[], int32 audioInCount, int64 location,
                                int32* ioWindowSize) = 0;
    // [offline-thread] The number of side-chain inputs.
    virtual int32 GetSideChainInputNum() = 0;

protected:
    ~AAX_IACFHostProcessorDelegate() = default;
};

// Version 2 lets the plug-in ask for an analysis pass.
class AAX_IACFHostProcessorDelegate_V2 : public AAX_IACFHostProcessorDelegate
{
public:
    // [offline-thread] Asks the host for an analysis pass; a result code.
    virtual AAX_Result ForceAnalyze() = 0;

protected:
    ~AAX_IACFHostProcessorDelegate_V2() = default;
};

// Version 3 lets the plug-in ask for a render pass.
class AAX_IACFHostProcessorDelegate_V3 : public AAX_IACFHostProcessorDelegate_V2
{
public:
    // [offline-thread] Asks the host for a render pass; a result code.
    virtual AAX_Result ForceProcess() = 0;

protected:
    ~AAX_IACFHostProcessorDelegate_V3() = default;
};
