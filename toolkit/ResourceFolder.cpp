#include "ResourceFolder.h"

namespace VSTGUI
{

void* gBundleRef = nullptr;

namespace
{
std::string& folder()
{
    static std::string path;
    return path;
}

bool leavesFolder(const std::string& name)
{
    if (name.empty() || name.front() == '/') return true;
    size_t start = 0;
    while (start <= name.size())
    {
        const size_t end = name.find('/', start);
        const std::string part = name.substr(start, end == std::string::npos ? end : end - start);
        if (part == "..") return true;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return false;
}
} // namespace

void setResourceFolder(const std::string& path)
{
    folder() = path;
}

const std::string& getResourceFolder()
{
    return folder();
}

std::string resolveResourcePath(const std::string& fileName)
{
    const std::string& base = folder();
    if (base.empty() || leavesFolder(fileName)) return std::string();
    return base.back() == '/' ? base + fileName : base + "/" + fileName;
}

} // namespace VSTGUI
