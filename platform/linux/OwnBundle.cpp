#include "OwnBundle.h"

#include <dlfcn.h>

#include <fstream>
#include <map>
#include <mutex>
#include <sstream>

#include "linux/ModuleBundle.h"

namespace orv::platform
{
namespace
{

constexpr const char* kIdentifierKey = "<key>CFBundleIdentifier</key>";
constexpr const char* kStringOpen = "<string>";
constexpr const char* kStringClose = "</string>";
constexpr const char* kResourcesFolder = "/Contents/Resources";

// One record per bundle found; records live as long as the program, so the opaque
// references handed out stay valid.
struct BundleRecord
{
    std::string folder;
};

std::string ParentFolder(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos || slash == 0) return std::string();
    return path.substr(0, slash);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::string();
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string OwnModulePath()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&BundleWithIdentifier), &info) || !info.dli_fname)
        return std::string();
    return info.dli_fname;
}

} // namespace

std::string BundleIdentifierFromInfoPlist(const std::string& plistText)
{
    const size_t key = plistText.find(kIdentifierKey);
    if (key == std::string::npos) return std::string();
    const size_t open = plistText.find(kStringOpen, key);
    if (open == std::string::npos) return std::string();
    // Only whitespace may sit between the key and its value.
    const size_t afterKey = key + std::char_traits<char>::length(kIdentifierKey);
    if (plistText.find_first_not_of(" \t\r\n", afterKey) != open) return std::string();
    const size_t start = open + std::char_traits<char>::length(kStringOpen);
    const size_t close = plistText.find(kStringClose, start);
    if (close == std::string::npos) return std::string();
    return plistText.substr(start, close - start);
}

std::string BundleFolderForModule(const std::string& modulePath, const std::string& identifier)
{
    if (identifier.empty() || modulePath.empty() || modulePath[0] != '/') return std::string();
    const std::string contents = ParentFolder(ParentFolder(modulePath));
    if (contents.size() < 9 || contents.compare(contents.size() - 9, 9, "/Contents") != 0)
        return std::string();
    if (BundleIdentifierFromInfoPlist(ReadFile(contents + "/Info.plist")) != identifier)
        return std::string();
    return ParentFolder(contents);
}

void* BundleWithIdentifier(const std::string& identifier)
{
    static std::mutex mutex;
    static std::map<std::string, BundleRecord> found;
    std::lock_guard<std::mutex> lock(mutex);
    const auto known = found.find(identifier);
    if (known != found.end()) return &known->second;
    const std::string folder = BundleFolderForModule(OwnModulePath(), identifier);
    if (folder.empty()) return nullptr;
    return &found.emplace(identifier, BundleRecord{folder}).first->second;
}

std::string BundleResourcesFolder(void* bundle)
{
    if (!bundle) return std::string();
    return static_cast<const BundleRecord*>(bundle)->folder + kResourcesFolder;
}

} // namespace orv::platform
