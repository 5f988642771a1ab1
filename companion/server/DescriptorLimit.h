#pragma once

#include <cstddef>

namespace companion
{

// The number of files the process may hold open. Every waiting connection takes one, so the
// server raises the soft limit as far as the hard limit allows before it listens.
class DescriptorLimit
{
public:
    // Raises the soft limit to the hard one; returns the soft limit in force afterwards.
    static size_t raiseToHard();
    static size_t current();
};

} // namespace companion
