#include "FilePaths.h"

#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace orv::platform
{

bool CanonicalFolderPath(const std::string& folder, std::string& outCanonical)
{
    if (folder.empty()) return false;
    char* resolved = ::realpath(folder.c_str(), nullptr);
    if (!resolved) return false;
    std::string canonical(resolved);
    std::free(resolved);
    struct stat info = {};
    if (::stat(canonical.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
    outCanonical = canonical;
    return true;
}

bool RemoveLinkAt(const std::string& path)
{
    struct stat info = {};
    if (::lstat(path.c_str(), &info) != 0) return true;
    if (!S_ISLNK(info.st_mode)) return true;
    return ::unlink(path.c_str()) == 0;
}

} // namespace orv::platform
