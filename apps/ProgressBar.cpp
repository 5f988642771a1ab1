#include "ProgressBar.h"

#include <unistd.h>

#include <string>

namespace orv::apps
{

namespace
{
constexpr int kBarWidth = 40;
}

ProgressBar::ProgressBar(std::FILE* stream)
    : mStream(stream), mEnabled(stream && ::isatty(::fileno(stream)))
{
}

void ProgressBar::Show(const std::string& label, int64 done, int64 total)
{
    if (!mEnabled) return;
    const int percent = total > 0 ? static_cast<int>(done * 100 / total) : 100;
    if (label == mLabel && percent == mShown) return;
    mLabel = label;
    mShown = percent;
    const int filled = percent * kBarWidth / 100;
    std::fprintf(mStream, "\r%-24s [%s%s] %3d%%", label.c_str(), std::string(filled, '#').c_str(),
                 std::string(kBarWidth - filled, ' ').c_str(), percent);
    if (done >= total)
    {
        std::fputc('\n', mStream);
        mShown = -1;
        mLabel.clear();
    }
    std::fflush(mStream);
}

} // namespace orv::apps
