#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace companion
{

// The tools in the order the editor numbers them (tool 1 is Gain).
enum class ToolKind
{
    Gain,
    Normalize,
    Denoise,
    Dehum,
    Band,
    Declick,
    Declip
};

struct ToolEntry
{
    ToolKind kind;
    std::string name;
    std::vector<std::string> presets;
    bool usesRange; // whether the frequency range shapes what the tool does
};

// The fixed list of tools and presets this companion offers.
class ToolCatalog
{
public:
    static const std::vector<ToolEntry>& tools();
    static const ToolEntry* find(size_t index); // nullptr past the last tool
};

} // namespace companion
