#include "InterfaceFileGuard.h"

#include "InterfaceFileFormat.h"

namespace companion
{

namespace
{
constexpr std::string_view kPrefix = InterfaceFileFormat::kFileNameStem;
constexpr std::string_view kSuffix = InterfaceFileFormat::kFileNameSuffix;

InterfaceFileGuard::Verdict refuse(const char* why)
{
    InterfaceFileGuard::Verdict verdict;
    verdict.error = why;
    return verdict;
}
} // namespace

bool InterfaceFileGuard::isInterfaceName(std::string_view name)
{
    if (name.size() <= kPrefix.size() + kSuffix.size()) return false;
    if (name.substr(0, kPrefix.size()) != kPrefix) return false;
    if (name.substr(name.size() - kSuffix.size()) != kSuffix) return false;
    const std::string_view digits =
        name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
    if (digits.size() > kMaxIndexDigits) return false;
    for (char c : digits)
        if (c < '0' || c > '9') return false;
    return true;
}

InterfaceFileGuard::Verdict InterfaceFileGuard::check(std::string_view path)
{
    if (path.empty() || path.front() != '/') return refuse("the path is not absolute");
    if (path.size() > kMaxPathBytes) return refuse("the path is too long");
    if (path.find('\0') != std::string_view::npos) return refuse("the path holds a NUL byte");

    // Every component between slashes must be a plain name.
    size_t start = 1;
    while (start <= path.size())
    {
        size_t end = path.find('/', start);
        if (end == std::string_view::npos) end = path.size();
        const std::string_view part = path.substr(start, end - start);
        if (part.empty() || part == "." || part == "..")
            return refuse("the path has an empty, \".\" or \"..\" component");
        start = end + 1;
    }

    const size_t slash = path.rfind('/');
    Verdict verdict;
    verdict.name.assign(path.substr(slash + 1));
    verdict.directory.assign(slash == 0 ? std::string_view("/") : path.substr(0, slash));
    if (!isInterfaceName(verdict.name))
        return refuse("the file is not named Orvendal_interface_<digits>.wav");
    verdict.accepted = true;
    return verdict;
}

} // namespace companion
