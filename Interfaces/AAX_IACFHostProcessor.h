#pragma once

#include "AAX.h"
#include "AAX_UIDs.h"

class AAX_IString;

// The offline processor component as the host sees it, version 1: output bounds, location,
// and the analysis and render passes. Implemented by the plug-in; the host creates it,
// holds it counted and drives the passes in order from one thread at a time. Audio buffers
// belong to the host and are valid during the call only.
class AAX_IACFHostProcessor : public IACFUnknown
{
public:
    // host: the host object the component queries for its services (borrowed).
    virtual AAX_Result Initialize(IACFUnknown* host) = 0;
    virtual AAX_Result Uninitialize() = 0;
    // From the selection's bounds, writes the bounds of the rendered output.
    virtual AAX_Result InitOutputBounds(int64 srcStart, int64 srcEnd, int64* outDstStart,
                                        int64* outDstEnd) = 0;
    virtual AAX_Result SetLocation(int64 location) = 0;
    // ioWindowSize: samples per channel offered; receives the samples rendered.
    virtual AAX_Result RenderAudio(const float* const inAudioIns[], int32 inAudioInCount,
                                   float* const inAudioOuts[], int32 inAudioOutCount,
                                   int32* ioWindowSize) = 0;
    virtual AAX_Result PreRender(int32 inAudioInCount, int32 inAudioOutCount,
                                 int32 inWindowSize) = 0;
    virtual AAX_Result PostRender() = 0;
    virtual AAX_Result AnalyzeAudio(const float* const inAudioIns[], int32 inAudioInCount,
                                    int32* ioWindowSize) = 0;
    virtual AAX_Result PreAnalyze(int32 inAudioInCount, int32 inWindowSize) = 0;
    virtual AAX_Result PostAnalyze() = 0;

protected:
    ~AAX_IACFHostProcessor() = default;
};

// Version 2 adds the suffix the host appends to the names of rendered clips.
class AAX_IACFHostProcessor_V2 : public AAX_IACFHostProcessor
{
public:
    virtual AAX_Result GetClipNameSuffix(int32 maxLength, AAX_IString* outSuffix) const = 0;

protected:
    ~AAX_IACFHostProcessor_V2() = default;
};
