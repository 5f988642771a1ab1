#include "CheckProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>
#include <ostream>

#include "ChannelReader.h"
#include "ChildChannel.h"

namespace orv::host::validator
{
namespace
{

using Clock = std::chrono::steady_clock;

// How often the parent looks at the child while the pipe is quiet.
constexpr int kPollMilliseconds = 50;

// The child's whole life: run the check, send the verdict, leave without running the
// parent's exit handlers (they belong to the parent's process).
[[noreturn]] void RunChild(int writeFd, ValidationCheck& check,
                           const CheckContext::Settings& settings)
{
    ChildChannel channel(writeFd);
    std::ostream report(&channel);
    CheckContext context(
        settings, check.Name(), [&channel](const std::string& step) { channel.Progress(step); },
        report);
    context.Progress("starting");
    try
    {
        check.Run(context);
    }
    catch (const std::exception& error)
    {
        context.Fail(std::string("the check stopped on an exception: ") + error.what());
    }
    catch (...)
    {
        context.Fail("the check stopped on an exception");
    }
    report.flush();
    channel.Verdict(context.FailureCount());
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    ::_exit(context.Failed() ? 1 : 0);
}

// Reads what is waiting on the non-blocking pipe; false once the child closed it.
bool Drain(int fd, ChannelReader& reader)
{
    char buffer[4096];
    for (;;)
    {
        const ssize_t count = ::read(fd, buffer, sizeof(buffer));
        if (count > 0)
        {
            reader.Feed(buffer, static_cast<std::size_t>(count));
            continue;
        }
        if (count < 0 && errno == EINTR) continue;
        return count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
}

// Whatever is buffered now would otherwise be written twice, once by each process.
void FlushBeforeFork(std::ostream& report)
{
    report.flush();
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
}

// Forwards what the child sends until it ends, or kills it once it has been silent for
// longer than `watchdog` since `lastSign` (which the reader's callbacks move on). Gives the
// child's wait status; false when it was killed as hung.
bool WatchChild(pid_t child, int fd, ChannelReader& reader, const Clock::time_point& lastSign,
                std::chrono::milliseconds watchdog, int* status)
{
    bool pipeOpen = true;
    bool ended = true;
    for (;;)
    {
        pollfd watch{fd, POLLIN, 0};
        // A closed pipe would wake poll at once; the child is then only waited for.
        ::poll(pipeOpen ? &watch : nullptr, pipeOpen ? 1 : 0, kPollMilliseconds);
        if (pipeOpen) pipeOpen = Drain(fd, reader);
        const pid_t done = ::waitpid(child, status, WNOHANG);
        if (done == child) break;
        if (Clock::now() - lastSign <= watchdog) continue;
        ::kill(child, SIGKILL);
        ::waitpid(child, status, 0);
        ended = false;
        break;
    }
    // What the child wrote just before it ended is still in the pipe (unless a process it
    // started holds the write end too: then only what has arrived counts).
    if (pipeOpen) Drain(fd, reader);
    reader.Finish();
    return ended;
}

// Judges a child that ended with `status` on its own.
void JudgeExit(int status, bool haveVerdict, CheckOutcome& outcome)
{
    if (WIFSIGNALED(status))
    {
        outcome.kind = CheckOutcome::Kind::kCrashed;
        outcome.signal = WTERMSIG(status);
        return;
    }
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    // Only a child that got as far as its verdict finished the check; any other exit (the
    // module calling exit, a sanitizer's report) broke it off.
    const bool finished = haveVerdict && (outcome.exitCode == 0 || outcome.exitCode == 1) &&
                          (outcome.exitCode == 1) == (outcome.faults > 0);
    if (!finished)
        outcome.kind = CheckOutcome::Kind::kCrashed;
    else
        outcome.kind =
            outcome.faults > 0 ? CheckOutcome::Kind::kFailed : CheckOutcome::Kind::kPassed;
}

} // namespace

CheckProcess::CheckProcess(std::chrono::milliseconds watchdog, std::ostream& report)
    : mWatchdog(watchdog), mReport(report)
{
}

CheckOutcome CheckProcess::Run(ValidationCheck& check, const CheckContext::Settings& settings)
{
    CheckOutcome outcome;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
    {
        outcome.error = std::string("cannot make a pipe: ") + std::strerror(errno);
        return outcome;
    }
    FlushBeforeFork(mReport);

    const Clock::time_point start = Clock::now();
    const pid_t child = ::fork();
    if (child < 0)
    {
        outcome.error = std::string("cannot start a process: ") + std::strerror(errno);
        ::close(fds[0]);
        ::close(fds[1]);
        return outcome;
    }
    if (child == 0)
    {
        ::close(fds[0]);
        RunChild(fds[1], check, settings);
    }
    ::close(fds[1]);
    ::fcntl(fds[0], F_SETFL, ::fcntl(fds[0], F_GETFL) | O_NONBLOCK);

    Clock::time_point lastSign = start;
    bool haveVerdict = false;
    ChannelReader reader({
        [&](const std::string& step)
        {
            outcome.lastStep = step;
            lastSign = Clock::now();
        },
        [&](const std::string& line) { mReport << line << '\n'; },
        [&](int faults)
        {
            outcome.faults = faults;
            haveVerdict = true;
        },
    });

    int status = 0;
    const bool ended = WatchChild(child, fds[0], reader, lastSign, mWatchdog, &status);
    ::close(fds[0]);
    mReport.flush();
    outcome.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    if (ended)
        JudgeExit(status, haveVerdict, outcome);
    else
        outcome.kind = CheckOutcome::Kind::kHung;
    return outcome;
}

} // namespace orv::host::validator
