#include "ApplicationLauncher.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orv::platform
{
namespace
{

constexpr const char* kApplicationSuffix = ".app";

bool IsExecutableFile(const std::string& path)
{
    struct stat info
    {
    };
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           access(path.c_str(), X_OK) == 0;
}

// The first absolute PATH entry holding an executable named name; empty when none does.
std::string FindOnPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    if (!path || name.empty() || name.find('/') != std::string::npos) return std::string();
    const std::string entries(path);
    size_t start = 0;
    while (start <= entries.size())
    {
        size_t end = entries.find(':', start);
        if (end == std::string::npos) end = entries.size();
        const std::string folder = entries.substr(start, end - start);
        if (!folder.empty() && folder[0] == '/')
        {
            const std::string candidate = folder + "/" + name;
            if (IsExecutableFile(candidate)) return candidate;
        }
        start = end + 1;
    }
    return std::string();
}

void CloseQuietly(int fd)
{
    while (close(fd) != 0 && errno == EINTR)
    {
    }
}

// Runs in the forked child: a new session, then a grandchild that executes the program
// (so nobody has to reap it), reporting a failed exec through the pipe. Only calls that
// are safe after fork.
[[noreturn]] void DetachAndExecute(const char* program, int reportFd)
{
    setsid();
    const pid_t grandchild = fork();
    if (grandchild != 0) _exit(grandchild < 0 ? 1 : 0);
    const int devNull = open("/dev/null", O_RDWR);
    if (devNull >= 0)
    {
        dup2(devNull, STDIN_FILENO);
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
        if (devNull > STDERR_FILENO) close(devNull);
    }
    char* const argv[] = {const_cast<char*>(program), nullptr};
    execv(program, argv);
    const char failed = 1;
    (void)!write(reportFd, &failed, 1);
    _exit(127);
}

} // namespace

std::string ExecutableNameForApplication(const std::string& applicationName)
{
    std::string name = applicationName;
    const size_t suffixLength = std::char_traits<char>::length(kApplicationSuffix);
    if (name.size() >= suffixLength &&
        name.compare(name.size() - suffixLength, suffixLength, kApplicationSuffix) == 0)
        name.resize(name.size() - suffixLength);
    for (char& c : name)
        c = c == ' ' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

bool LaunchApplication(const std::string& applicationName)
{
    const std::string program = FindOnPath(ExecutableNameForApplication(applicationName));
    if (program.empty()) return false;
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) return false;
    const pid_t child = fork();
    if (child < 0)
    {
        CloseQuietly(report[0]);
        CloseQuietly(report[1]);
        return false;
    }
    if (child == 0) DetachAndExecute(program.c_str(), report[1]);

    CloseQuietly(report[1]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR)
    {
    }
    bool started = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (started)
    {
        // End of file: the pipe closed on a successful exec. A byte: the exec failed.
        char failed = 0;
        ssize_t got;
        while ((got = read(report[0], &failed, 1)) < 0 && errno == EINTR)
        {
        }
        started = got == 0;
    }
    CloseQuietly(report[0]);
    return started;
}

} // namespace orv::platform
