#include "AlignedStage.h"

#include "CompanionConstants.h"

#include <algorithm>

namespace companion
{

AlignedStage::AlignedStage(std::unique_ptr<Tool> tool)
    : tool_(std::move(tool)), toSkip_(tool_->latency())
{
}

void AlignedStage::push(const float* in, size_t count, std::vector<float>& out)
{
    const size_t skip = std::min(toSkip_, count);
    toSkip_ -= skip;
    if (skip == 0)
    {
        // Once the latency is skipped, straight into the output.
        const size_t start = out.size();
        out.resize(start + count);
        tool_->process(in, out.data() + start, count);
        return;
    }
    scratch_.resize(count);
    tool_->process(in, scratch_.data(), count);
    out.insert(out.end(), scratch_.begin() + static_cast<std::ptrdiff_t>(skip), scratch_.end());
}

void AlignedStage::finish(std::vector<float>& out)
{
    const std::vector<float> zeros(std::min(tool_->latency(), kBlockSamples), 0.0f);
    for (size_t left = tool_->latency(); left > 0;)
    {
        const size_t step = std::min(left, zeros.size());
        push(zeros.data(), step, out);
        left -= step;
    }
}

void AlignedStage::reset()
{
    tool_->reset();
    toSkip_ = tool_->latency();
}

} // namespace companion
