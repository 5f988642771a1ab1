#pragma once

#include <mutex>
#include <streambuf>
#include <string>

namespace orv::host::validator
{

// The check process's end of the pipe to the runner. Everything the child has to say goes
// through it as one framed line each: a progress step, a line of the check's report (this
// object is the report stream's buffer), and at the very end the verdict. The write end of
// the pipe is borrowed; the child closes it by exiting. Any thread may write: each frame goes
// out whole under a lock, so lines from two threads never mix.
class ChildChannel : public std::streambuf
{
public:
    // The first byte of every frame; the rest of the line is the text.
    static constexpr char kProgressTag = 'P';
    static constexpr char kReportTag = 'R';
    static constexpr char kVerdictTag = 'V';

    explicit ChildChannel(int writeFd);

    void Progress(const std::string& step);
    // The number of faults the check recorded; sent once, after the last report line.
    void Verdict(int faults);

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    // Sends a report line that has no line feed yet.
    int sync() override;

private:
    void AppendReport(const char* text, std::size_t count);
    void Send(char tag, const std::string& text);

    int mFd;
    std::mutex mMutex;
    // Report text since the last line feed.
    std::string mPending;
};

} // namespace orv::host::validator
