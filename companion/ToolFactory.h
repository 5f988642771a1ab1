#pragma once

#include "FrequencyRange.h"
#include "Request.h"
#include "Tool.h"

#include <memory>
#include <string>
#include <vector>

namespace companion
{

// Turns the switched-on tools of a "process" request into Tool objects in chain order:
// De-clip, De-click, De-hum, then the others in tool order, Normalize last.
class ToolFactory
{
public:
    struct Plan
    {
        bool ok = false;
        std::vector<std::unique_ptr<Tool>> tools;
        std::vector<std::string> labels; // per tool, its name and preset: "De-hum 50 Hz"
        std::string summary; // e.g. "Gain +3 dB, Band Keep band, 20-2000 Hz"
        std::string error;
    };

    // Checks the request against the catalog first: a tool switched on must exist and its
    // preset must be one of its entries; tools that use the range need a non-empty band.
    static Plan validate(const Request& request, double sampleRate);
    static Plan build(const Request& request, double sampleRate);

    static FrequencyRange rangeFor(const Request& request, double sampleRate);
};

} // namespace companion
