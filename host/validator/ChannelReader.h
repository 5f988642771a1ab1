#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace orv::host::validator
{

// The runner's end of the pipe from a check process: splits the bytes that arrive into the
// frames ChildChannel writes and hands each to its handler. A line is bounded: text that
// runs on without a line feed is delivered in pieces of at most kMaxLine bytes, so a child
// that writes garbage cannot make the runner grow without end. Unknown tags are report text.
class ChannelReader
{
public:
    static constexpr std::size_t kMaxLine = 64 * 1024;

    struct Handlers
    {
        std::function<void(const std::string& step)> progress;
        std::function<void(const std::string& line)> report;
        std::function<void(int faults)> verdict;
    };

    explicit ChannelReader(Handlers handlers);

    void Feed(const char* data, std::size_t size);
    // The child is gone: a last line without its line feed is delivered as it is.
    void Finish();

private:
    void Deliver(const std::string& frame);

    Handlers mHandlers;
    std::string mBuffer;
};

} // namespace orv::host::validator
