#include "InterfaceFileLocation.h"

#include "CompanionProtocol.h"
#include "InterfaceFileFormat.h"

namespace InterfaceFileLocation
{
namespace
{

constexpr const char* kFileScheme = "file://";
constexpr const char* kLocalHost = "localhost";

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool JoinedPath(const std::string& folder, const std::string& name, std::string& outPath)
{
    const bool needsSlash = folder.empty() || folder.back() != '/';
    std::string path = folder + (needsSlash ? "/" : "") + name;
    if (path.size() > CompanionProtocol::kMaxPathBytes) return false;
    outPath = path;
    return true;
}

} // namespace

bool FolderPathFromURL(const std::string& url, std::string& outFolder)
{
    const std::string scheme = kFileScheme;
    if (url.compare(0, scheme.size(), scheme) != 0) return false;
    const size_t pathStart = url.find('/', scheme.size());
    if (pathStart == std::string::npos) return false;
    const std::string host = url.substr(scheme.size(), pathStart - scheme.size());
    if (!host.empty() && host != kLocalHost) return false;

    std::string folder;
    for (size_t i = pathStart; i < url.size(); ++i)
    {
        if (url[i] == '?' || url[i] == '#') return false;
        if (url[i] != '%')
        {
            folder += url[i];
            continue;
        }
        if (i + 2 >= url.size()) return false;
        const int high = HexValue(url[i + 1]);
        const int low = HexValue(url[i + 2]);
        if (high < 0 || low < 0 || (high == 0 && low == 0)) return false;
        folder += static_cast<char>(high * 16 + low);
        i += 2;
    }
    if (folder.empty() || folder[0] != '/') return false;
    if (folder.back() != '/') folder += '/';
    outFolder = folder;
    return true;
}

bool InterfaceFilePath(const std::string& folder, int32 index, std::string& outPath)
{
    return JoinedPath(folder,
                      InterfaceFileFormat::kFileNameStem + std::to_string(index) +
                          InterfaceFileFormat::kFileNameSuffix,
                      outPath);
}

bool LockFilePath(const std::string& folder, int32 index, std::string& outPath)
{
    return JoinedPath(folder,
                      std::string(".") + InterfaceFileFormat::kFileNameStem +
                          std::to_string(index) + InterfaceFileFormat::kLockFileSuffix,
                      outPath);
}

} // namespace InterfaceFileLocation
