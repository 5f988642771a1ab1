#pragma once

#include <string>
#include <string_view>

namespace companion
{

// Decides from its text alone whether a path may name an interface file: an absolute path
// without empty, "." or ".." components whose last component is "Orvendal_interface_<digits>.wav".
class InterfaceFileGuard
{
public:
    struct Verdict
    {
        bool accepted = false;
        std::string directory; // without the trailing slash ("/" for the root)
        std::string name;
        std::string error;
    };

    static Verdict check(std::string_view path);
    static bool isInterfaceName(std::string_view name);

    static constexpr size_t kMaxPathBytes = 4095;
    static constexpr size_t kMaxIndexDigits = 9;
};

} // namespace companion
