#pragma once

#include "ValidationCheck.h"

namespace orv::host::validator
{

// "editor": opens and closes the plug-in's editor over and over, as a host does, with and
// without a companion answering "parameters" (the check's loopback one). While it is open,
// changes the host makes to the parameters must show in the controls (the pixels of the
// control's row change, and come back when the value does), and timer ticks must update
// the status line. Needs the companion port for itself; PATH points at an empty folder
// meanwhile, so the editor's launch of the companion finds nothing to start.
class EditorCheck : public ValidationCheck
{
public:
    const char* Name() const override { return "editor"; }
    const char* Summary() const override;
    void Run(CheckContext& context) override;

    // Openings at strictness 10, and how many use one instance before a new one is made.
    static constexpr int kOpenings = 48;
    static constexpr int kOpeningsPerInstance = 4;
    // The "parameters" answer the companion gives: three tools, the last without presets.
    static const char* const kParametersAnswer;
};

} // namespace orv::host::validator
