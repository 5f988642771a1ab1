// Feeds arbitrary paths to the interface-file guard; an accepted path must split into a
// plain absolute folder and an interface file name.
#include "InterfaceFileGuard.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace companion;
    const std::string_view path(reinterpret_cast<const char*>(data), size);
    const InterfaceFileGuard::Verdict verdict = InterfaceFileGuard::check(path);
    if (!verdict.accepted)
    {
        if (verdict.error.empty()) std::abort();
        return 0;
    }
    if (verdict.directory.empty() || verdict.directory.front() != '/') std::abort();
    if (!InterfaceFileGuard::isInterfaceName(verdict.name)) std::abort();
    if (verdict.directory.find("/../") != std::string::npos ||
        verdict.directory.find("//") != std::string::npos)
        std::abort();
    return 0;
}
