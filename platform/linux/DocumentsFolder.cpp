#include "DocumentsFolder.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>

namespace orv::platform
{
namespace
{

constexpr const char* kDocumentsKey = "XDG_DOCUMENTS_DIR=";
constexpr const char* kHomePrefix = "$HOME";

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

bool IsAbsolute(const std::string& path)
{
    return !path.empty() && path[0] == '/';
}

// The value of XDG_DOCUMENTS_DIR in user-dirs.dirs: a quoted path that is absolute or
// starts with $HOME. Empty when the file, the key or a usable value is missing.
std::string ConfiguredDocumentsFolder(const std::string& home)
{
    std::string configHome = Environment("XDG_CONFIG_HOME");
    if (!IsAbsolute(configHome)) configHome = home + "/.config";
    std::ifstream file(configHome + "/user-dirs.dirs");
    std::string line;
    while (std::getline(file, line))
    {
        if (line.compare(0, std::char_traits<char>::length(kDocumentsKey), kDocumentsKey) != 0)
            continue;
        std::string value = line.substr(std::char_traits<char>::length(kDocumentsKey));
        if (value.size() < 2 || value.front() != '"') return {};
        const size_t close = value.find('"', 1);
        if (close == std::string::npos) return {};
        std::string unquoted;
        for (size_t i = 1; i < close; ++i)
        {
            if (value[i] == '\\' && i + 1 < close) ++i;
            unquoted += value[i];
        }
        if (unquoted.compare(0, 5, kHomePrefix) == 0) unquoted = home + unquoted.substr(5);
        return IsAbsolute(unquoted) ? unquoted : std::string();
    }
    return {};
}

std::string FileURL(const std::string& path)
{
    static const char* const kHex = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char c : path)
    {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '/' || c == '-' || c == '.' || c == '_' ||
                           c == '~';
        if (plain)
        {
            url += static_cast<char>(c);
            continue;
        }
        url += '%';
        url += kHex[c >> 4];
        url += kHex[c & 0x0F];
    }
    if (url.back() != '/') url += '/';
    return url;
}

} // namespace

std::vector<std::string> UserDocumentFolderURLs()
{
    const std::string home = Environment("HOME");
    if (!IsAbsolute(home)) return {};
    std::string folder = ConfiguredDocumentsFolder(home);
    if (folder.empty()) folder = home + "/Documents";
    // Only the folder itself, inside a parent that exists: a HOME that is not there is no
    // place to make, and a failure shows when the folder is used. Private to the user: the
    // interface files in it are the user's audio.
    ::mkdir(folder.c_str(), 0700);
    return {FileURL(folder)};
}

} // namespace orv::platform
