#pragma once

#include <functional>

#include "AAX_IACFHostProcessor.h"
#include "AudioSource.h"

namespace orv::host
{

// Drives a host processor through one offline run as a host does: InitOutputBounds, the
// analysis pass (PreAnalyze, AnalyzeAudio per window, PostAnalyze), then the render pass
// (PreRender, RenderAudio per window, PostRender). Every channel has an input and an output
// buffer of one window; the selection streams from the source to the sink window by
// window, so memory does not grow with its length. Between calls the host's main loop is
// pumped, so parameter changes the plug-in requested are applied.
class OfflineRenderDriver
{
public:
    enum class Pass
    {
        kAnalysis,
        kRender,
    };

    struct Options
    {
        int32 windowSize = 1024;
        // Called after every call into the processor (may be empty).
        std::function<void()> pump;
        // Called after every window with the pass and the samples done out of the total.
        std::function<void(Pass pass, int64 done, int64 total)> progress;
        // Render in place, as many hosts do: RenderAudio gets the same buffer of each channel
        // as its input and its output.
        bool inPlace = false;
    };

    struct Result
    {
        // kResultSuccess, the first error a pass operation returned that ends the run, or
        // kResultInvalidParameterId for a window size below 1 or a source or sink failure.
        AAX_Result result = 0;
        // What PreAnalyze returned; the run goes on whatever it was, as the plug-in's own
        // status travels through its parameters.
        AAX_Result preAnalyzeResult = 0;
        int64 rendered = 0;
    };

    // processor, source and sink are borrowed for the run.
    static Result Run(AAX_IACFHostProcessor& processor, AudioSource& source, AudioSink& sink,
                      const Options& options);
};

} // namespace orv::host
