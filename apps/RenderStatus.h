#pragma once

#include <string>

#include "AAX.h"

namespace orv::apps
{

// The plug-in's status after a render, read from its "Comm" parameter (code / 100).
class RenderStatus
{
public:
    // The code that marks a render the companion processed.
    static constexpr int32 kProcessed = 5;

    // The code a "Comm" value carries: truncate(value * 100 + 0.49).
    static int32 FromComm(double comm);
    // What the code means, in a few words.
    static std::string Message(int32 code);
};

} // namespace orv::apps
