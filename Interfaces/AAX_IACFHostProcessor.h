#pragma once

#include "AAX.h"
#include "AAX_ThreadTags.h"
#include "AAX_UIDs.h"

class AAX_IString;

// The offline processor component as the host sees it, version 1: output bounds, location,
// and the analysis and render passes. Implemented by the plug-in; the host creates it,
// holds it counted and drives the passes in order from one thread at a time. Audio buffers
// belong to the host and are valid during the call only.
class AAX_IACFHostProcessor : public IACFUnknown
{
public:
    // [main-thread] Makes the controller and delegate wrappers from host (borrowed, queried
    // during the call) and takes one counted reference to the host's effect parameters. 0;
    // kResultNotInitialized for a null host or a wrapper that could not be made.
    virtual AAX_Result Initialize(IACFUnknown* host) = 0;
    // [main-thread] Closes what the passes left open and gives up the wrappers and the
    // reference; 0. Safe to call twice.
    virtual AAX_Result Uninitialize() = 0;
    // [offline-thread] From the selection's bounds, writes the bounds of the rendered output
    // (the same bounds); kResultNullArgument, nothing changed, for a null out pointer.
    virtual AAX_Result InitOutputBounds(int64 srcStart, int64 srcEnd, int64* outDstStart,
                                        int64* outDstEnd) = 0;
    // [offline-thread] Records the host's current location; 0.
    virtual AAX_Result SetLocation(int64 location) = 0;
    // [offline-thread] Fills the first output channel with the next window of processed samples
    // (the input after any failure). The buffers are the host's, valid during the call;
    // ioWindowSize gives the samples per channel. 0, or kResultRenderArgument for unequal
    // channel counts or a null window size.
    virtual AAX_Result RenderAudio(const float* const inAudioIns[], int32 inAudioInCount,
                                   float* const inAudioOuts[], int32 inAudioOutCount,
                                   int32* ioWindowSize) = 0;
    // [offline-thread] Starts the render pass: asks the companion to process the interface file
    // and blocks, without timeout, until it is done. 0 (failures go to "Comm");
    // kResultUnexpected out of memory.
    virtual AAX_Result PreRender(int32 inAudioInCount, int32 inAudioOutCount,
                                 int32 inWindowSize) = 0;
    // [offline-thread] Ends the render pass and gives up the interface file; 0.
    virtual AAX_Result PostRender() = 0;
    // [offline-thread] Appends the first input channel's window to the interface file. The
    // buffers are the host's, valid during the call; 0 (failures go to "Comm").
    virtual AAX_Result AnalyzeAudio(const float* const inAudioIns[], int32 inAudioInCount,
                                    int32* ioWindowSize) = 0;
    // [offline-thread] Starts the analysis pass: reads the sample rate and claims and creates
    // the interface file. The sample-rate query's result; kResultUnexpected out of memory.
    virtual AAX_Result PreAnalyze(int32 inAudioInCount, int32 inWindowSize) = 0;
    // [offline-thread] Completes the interface file's header and closes it; 0.
    virtual AAX_Result PostAnalyze() = 0;

protected:
    ~AAX_IACFHostProcessor() = default;
};

// Version 2 adds the suffix the host appends to the names of rendered clips.
class AAX_IACFHostProcessor_V2 : public AAX_IACFHostProcessor
{
public:
    // [offline-thread] No suffix: outSuffix (the caller's) untouched, kResultUnimplemented.
    virtual AAX_Result GetClipNameSuffix(int32 maxLength, AAX_IString* outSuffix) const = 0;

protected:
    ~AAX_IACFHostProcessor_V2() = default;
};
