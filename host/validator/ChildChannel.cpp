#include "ChildChannel.h"

#include <unistd.h>

#include <cerrno>

namespace orv::host::validator
{

ChildChannel::ChildChannel(int writeFd) : mFd(writeFd)
{
}

void ChildChannel::Progress(const std::string& step)
{
    std::string line = step;
    for (char& c : line)
        if (c == '\n' || c == '\r') c = ' ';
    std::lock_guard<std::mutex> lock(mMutex);
    Send(kProgressTag, line);
}

void ChildChannel::Verdict(int faults)
{
    std::lock_guard<std::mutex> lock(mMutex);
    if (!mPending.empty()) Send(kReportTag, mPending);
    mPending.clear();
    Send(kVerdictTag, std::to_string(faults));
}

ChildChannel::int_type ChildChannel::overflow(int_type c)
{
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char character = traits_type::to_char_type(c);
    AppendReport(&character, 1);
    return c;
}

std::streamsize ChildChannel::xsputn(const char* text, std::streamsize count)
{
    if (count > 0) AppendReport(text, static_cast<std::size_t>(count));
    return count;
}

int ChildChannel::sync()
{
    std::lock_guard<std::mutex> lock(mMutex);
    if (!mPending.empty()) Send(kReportTag, mPending);
    mPending.clear();
    return 0;
}

void ChildChannel::AppendReport(const char* text, std::size_t count)
{
    std::lock_guard<std::mutex> lock(mMutex);
    for (std::size_t i = 0; i < count; ++i)
    {
        if (text[i] == '\n')
        {
            Send(kReportTag, mPending);
            mPending.clear();
            continue;
        }
        mPending += text[i];
    }
}

void ChildChannel::Send(char tag, const std::string& text)
{
    std::string frame;
    frame.reserve(text.size() + 2);
    frame += tag;
    frame += text;
    frame += '\n';
    const char* data = frame.data();
    std::size_t left = frame.size();
    while (left > 0)
    {
        const ssize_t written = ::write(mFd, data, left);
        if (written < 0 && errno == EINTR) continue;
        // The runner is gone: nobody is left to tell.
        if (written <= 0) return;
        data += written;
        left -= static_cast<std::size_t>(written);
    }
}

} // namespace orv::host::validator
