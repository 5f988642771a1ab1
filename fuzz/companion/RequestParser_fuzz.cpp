// Feeds arbitrary lines to the request parser; a line accepted as "process" must hold what
// the grammar allows.
#include "RequestParser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace companion;
    const Request request =
        RequestParser::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    if (request.kind == RequestKind::Process)
    {
        if (request.tools.empty() || request.tools.size() > 20 ||
            request.tools.size() != request.presets.size() || request.input.empty())
            std::abort();
        for (char c : request.input)
            if (static_cast<unsigned char>(c) < 0x20) std::abort();
    }
    if (request.kind == RequestKind::Invalid && request.error.empty()) std::abort();
    return 0;
}
