#pragma once

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace orv::test
{

// An X server of its own for a test: Xvfb on a display number nobody uses (it picks one and
// reports it), stopped when the object goes. Ready() is false where Xvfb is missing.
class VirtualDisplay
{
public:
    VirtualDisplay()
    {
        int report[2];
        if (pipe(report) != 0) return;
        mPid = fork();
        if (mPid == 0)
        {
            close(report[0]);
            const std::string fd = std::to_string(report[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1600x1200x24",
                   "-nolisten", "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(report[1]);
        std::string number;
        pollfd wait{report[0], POLLIN, 0};
        // Xvfb writes the number once it accepts connections.
        while (mPid > 0 && poll(&wait, 1, 10000) == 1)
        {
            char c = 0;
            if (read(report[0], &c, 1) != 1 || c == '\n') break;
            number += c;
        }
        close(report[0]);
        if (!number.empty()) mName = ":" + number;
    }

    ~VirtualDisplay()
    {
        if (mPid <= 0) return;
        kill(mPid, SIGTERM);
        waitpid(mPid, nullptr, 0);
    }

    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    bool Ready() const { return !mName.empty(); }
    // ":N", for DISPLAY.
    const std::string& Name() const { return mName; }

private:
    pid_t mPid = -1;
    std::string mName;
};

} // namespace orv::test
