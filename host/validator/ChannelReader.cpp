#include "ChannelReader.h"

#include <cstdlib>

#include "ChildChannel.h"

namespace orv::host::validator
{

ChannelReader::ChannelReader(Handlers handlers) : mHandlers(std::move(handlers))
{
}

void ChannelReader::Feed(const char* data, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i)
    {
        if (data[i] == '\n')
        {
            Deliver(mBuffer);
            mBuffer.clear();
            continue;
        }
        mBuffer += data[i];
        if (mBuffer.size() < kMaxLine) continue;
        Deliver(mBuffer);
        // What follows belongs to the same line: keep its tag so it lands in the same place.
        mBuffer.assign(1, mBuffer.front());
    }
}

void ChannelReader::Finish()
{
    if (!mBuffer.empty()) Deliver(mBuffer);
    mBuffer.clear();
}

void ChannelReader::Deliver(const std::string& frame)
{
    if (frame.empty()) return;
    const std::string text = frame.substr(1);
    switch (frame.front())
    {
    case ChildChannel::kProgressTag:
        if (mHandlers.progress) mHandlers.progress(text);
        return;
    case ChildChannel::kVerdictTag:
    {
        char* end = nullptr;
        const long faults = std::strtol(text.c_str(), &end, 10);
        // A verdict that does not parse is no verdict: the run counts as broken off.
        if (end != text.c_str() && *end == '\0' && faults >= 0 && faults < 1000000000L)
        {
            if (mHandlers.verdict) mHandlers.verdict(static_cast<int>(faults));
            return;
        }
        break;
    }
    case ChildChannel::kReportTag:
        if (mHandlers.report) mHandlers.report(text);
        return;
    default:
        break;
    }
    if (mHandlers.report) mHandlers.report(frame);
}

} // namespace orv::host::validator
