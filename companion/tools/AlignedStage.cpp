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
    scratch_.resize(count);
    tool_->process(in, scratch_.data(), count);
    const size_t skip = std::min(toSkip_, count);
    toSkip_ -= skip;
    out.insert(out.end(), scratch_.begin() + skip, scratch_.end());
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
