#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace companion
{

// The samples a block-wise repair sees: `context` samples already handed on before the
// block being worked on (the core), the core itself and `context` samples after it. Each
// push() moves the window on by one block. A mark per sample travels with it, so a repair
// that reached past the core is neither found nor done again in the next block.
class ContextWindow
{
public:
    ContextWindow(size_t block, size_t context);

    // Moves the window on by one block and appends `in` (one block of samples).
    void push(const float* in);
    void reset();

    size_t size() const { return samples_.size(); }
    size_t coreBegin() const { return context_; }
    size_t coreEnd() const { return context_ + block_; }
    float* samples() { return samples_.data(); }
    uint8_t* marks() { return marks_.data(); }
    const float* core() const { return samples_.data() + context_; }

private:
    size_t block_;
    size_t context_;
    std::vector<float> samples_;
    std::vector<uint8_t> marks_;
};

} // namespace companion
