#pragma once

#include <functional>
#include <string>
#include <vector>

#include "AAX_IACFEffectParameters.h"

namespace orv::apps
{

// Parameter settings given on the command line, turned into normalized values for the
// plug-in's parameters and applied through its effect-parameters interface, the way a host's
// automation sets them (a set request, then the host's update when it is pumped).
class PluginSettings
{
public:
    struct Setting
    {
        std::string identifier;
        double value;
    };

    // The highest preset number a count of k / 100 can carry.
    static constexpr int kMaxPreset = 99;

    // "N" or "N:PRESET": tool N (1 to 20) on with preset PRESET (0 to 99, default 0); "NTools"
    // becomes the highest tool named. False with a message for anything else.
    bool AddTool(const std::string& argument, std::string* outError);
    // "LOW-HIGH" in hertz, 0 <= LOW < HIGH <= 192000: the range is switched on.
    bool SetRange(const std::string& argument, std::string* outError);
    // "ID=VALUE": parameter ID to the normalized VALUE (0 to 1).
    bool AddSet(const std::string& argument, std::string* outError);

    bool Empty() const { return Settings().empty(); }
    // Every value to set, in the order to set them.
    std::vector<Setting> Settings() const;

    // Checks that every identifier exists, then requests each value and pumps the host once.
    // False with a message (and nothing set) for an unknown identifier.
    bool Apply(AAX_IACFEffectParameters& parameters, const std::function<void()>& pump,
               std::string* outError) const;

private:
    std::vector<Setting> mTools;
    int mHighestTool = 0;
    std::vector<Setting> mRange;
    std::vector<Setting> mSets;
};

} // namespace orv::apps
