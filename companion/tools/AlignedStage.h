#pragma once

#include "Tool.h"

#include <memory>
#include <vector>

namespace companion
{

// Wraps a Tool so that its output lines up with its input: the first latency() outputs are
// dropped and finish() feeds as many zeros to flush the tail, so the stage hands on exactly
// as many samples as it was given.
class AlignedStage
{
public:
    explicit AlignedStage(std::unique_ptr<Tool> tool);

    Tool& tool() { return *tool_; }
    const Tool& tool() const { return *tool_; }
    // Appends to `out` the samples that are ready.
    void push(const float* in, size_t count, std::vector<float>& out);
    // Appends the remaining samples; push() may not be called afterwards until reset().
    void finish(std::vector<float>& out);
    void reset();

private:
    std::unique_ptr<Tool> tool_;
    size_t toSkip_;
    std::vector<float> scratch_;
};

} // namespace companion
