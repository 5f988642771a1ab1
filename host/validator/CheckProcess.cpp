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
    // Whatever is buffered now would otherwise be written twice, once by each process.
    mReport.flush();
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);

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

    bool pipeOpen = true;
    int status = 0;
    for (;;)
    {
        pollfd watch{fds[0], POLLIN, 0};
        // A closed pipe would wake poll at once; the child is then only waited for.
        ::poll(pipeOpen ? &watch : nullptr, pipeOpen ? 1 : 0, kPollMilliseconds);
        if (pipeOpen) pipeOpen = Drain(fds[0], reader);
        const pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child) break;
        if (Clock::now() - lastSign <= mWatchdog) continue;
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
        outcome.kind = CheckOutcome::Kind::kHung;
        break;
    }
    // What the child wrote just before it ended is still in the pipe (unless a process it
    // started holds the write end too: then only what has arrived counts).
    if (pipeOpen) Drain(fds[0], reader);
    reader.Finish();
    ::close(fds[0]);
    mReport.flush();
    outcome.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);

    if (outcome.kind == CheckOutcome::Kind::kHung) return outcome;
    if (WIFSIGNALED(status))
    {
        outcome.kind = CheckOutcome::Kind::kCrashed;
        outcome.signal = WTERMSIG(status);
        return outcome;
    }
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    // Only a child that got as far as its verdict finished the check; any other exit (the
    // module calling exit, a sanitizer's report) broke it off.
    const bool finished = haveVerdict && (outcome.exitCode == 0 || outcome.exitCode == 1) &&
                          (outcome.exitCode == 1) == (outcome.faults > 0);
    if (!finished)
    {
        outcome.kind = CheckOutcome::Kind::kCrashed;
        return outcome;
    }
    outcome.kind = outcome.faults > 0 ? CheckOutcome::Kind::kFailed : CheckOutcome::Kind::kPassed;
    return outcome;
}

} // namespace orv::host::validator
