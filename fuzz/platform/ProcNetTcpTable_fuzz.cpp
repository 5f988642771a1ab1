// Feeds arbitrary text to the reader of the kernel's TCP tables as both families: every row
// it keeps comes from a line of its own, with endpoints of the family asked for and a state
// the kernel can have.
#include "linux/ProcNetTcpTable.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using orv::platform::ProcNetTcpTable;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const size_t lines = static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    for (const int family : {AF_INET, AF_INET6})
    {
        const auto rows = ProcNetTcpTable::Parse(text, family);
        if (rows.size() > lines) std::abort();
        for (const auto& row : rows)
            if (row.local.ss_family != family || row.remote.ss_family != family || row.state < 1 ||
                row.state > 0xFF)
                std::abort();
    }
    return 0;
}
