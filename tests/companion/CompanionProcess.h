#pragma once

// The real orvendal-qv, started as a child process on a free port, for the tests that signal
// or kill it. Its log goes to a file, read to learn the port it listens on.
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace companion::test
{

class CompanionProcess
{
public:
    // beforeExec (may be null) runs in the child once the log is open, e.g. to change user;
    // the child ends when it returns false.
    CompanionProcess(const std::string& program, const std::filesystem::path& logPath,
                     std::vector<std::string> arguments = {}, bool (*beforeExec)() = nullptr)
        : logPath_(logPath)
    {
        std::vector<std::string> words{program, "--port", "0"};
        words.insert(words.end(), arguments.begin(), arguments.end());
        // Emptied here, before the child exists: a log left by an earlier companion on the
        // same path would otherwise be read for this one's port.
        std::ofstream(logPath, std::ios::trunc).close();
        pid_ = ::fork();
        if (pid_ == 0)
        {
            const int log = ::open(logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
            ::dup2(log, STDERR_FILENO);
            if (beforeExec && !beforeExec()) ::_exit(126);
            std::vector<char*> argv;
            for (std::string& word : words)
                argv.push_back(word.data());
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        // Bounded: a companion that never says where it listens fails the test, not hangs it.
        for (int i = 0; i < 500 && port_ == 0 && running(); ++i)
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            port_ = portInLog();
        }
    }
    ~CompanionProcess()
    {
        if (running()) signal(SIGKILL);
        waitForExit(5000);
    }
    CompanionProcess(const CompanionProcess&) = delete;
    CompanionProcess& operator=(const CompanionProcess&) = delete;

    uint16_t port() const { return port_; }
    void signal(int number) const { ::kill(pid_, number); }

    // True once the process has ended within `ms`; status() then tells how.
    bool waitForExit(int ms)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (running())
        {
            if (std::chrono::steady_clock::now() >= end) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return true;
    }
    int status() const { return status_; }
    std::string log() const
    {
        std::ifstream in(logPath_);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    bool running()
    {
        if (pid_ <= 0) return false;
        if (::waitpid(pid_, &status_, WNOHANG) != pid_) return true;
        pid_ = -1;
        return false;
    }
    uint16_t portInLog() const
    {
        const std::string text = log();
        const std::string marker = "listening on 127.0.0.1:";
        const size_t at = text.find(marker);
        if (at == std::string::npos || text.find('\n', at) == std::string::npos) return 0;
        return static_cast<uint16_t>(std::stoi(text.substr(at + marker.size())));
    }

    std::filesystem::path logPath_;
    pid_t pid_ = -1;
    int status_ = 0;
    uint16_t port_ = 0;
};

} // namespace companion::test
