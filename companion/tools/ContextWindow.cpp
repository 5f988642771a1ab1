#include "ContextWindow.h"

#include <algorithm>
#include <cstring>

namespace companion
{

ContextWindow::ContextWindow(size_t block, size_t context)
    : block_(block), context_(context), samples_(block + 2 * context, 0.0f),
      marks_(block + 2 * context, 0)
{
}

void ContextWindow::push(const float* in)
{
    const size_t keep = samples_.size() - block_;
    std::memmove(samples_.data(), samples_.data() + block_, keep * sizeof(float));
    std::memmove(marks_.data(), marks_.data() + block_, keep);
    std::memcpy(samples_.data() + keep, in, block_ * sizeof(float));
    std::fill(marks_.begin() + keep, marks_.end(), 0);
}

void ContextWindow::reset()
{
    std::fill(samples_.begin(), samples_.end(), 0.0f);
    std::fill(marks_.begin(), marks_.end(), 0);
}

} // namespace companion
