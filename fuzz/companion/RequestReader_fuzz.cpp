// Feeds a byte stream to the request-line reader in pieces, as reads of the event loop may
// deliver it, and checks the verdict against what the stream says by itself. The input's
// first byte gives the number of cuts, the next bytes the length of each piece.
#include "CompanionConstants.h"
#include "RequestReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

namespace
{
using companion::RequestReader;

// The verdict the whole stream calls for, given where its pieces end.
RequestReader::Result expected(std::string_view stream, const std::vector<size_t>& pieceEnds,
                               size_t maxBytes)
{
    const size_t feed = stream.find('\n');
    if (feed == std::string_view::npos)
        return stream.size() > maxBytes ? RequestReader::Result::TooLong
                                        : RequestReader::Result::Incomplete;
    if (feed > maxBytes) return RequestReader::Result::TooLong;
    for (size_t end : pieceEnds)
        if (feed < end) return feed + 1 == end ? RequestReader::Result::Line
                                               : RequestReader::Result::TrailingData;
    std::abort(); // the pieces cover the stream
}

void check(std::string_view stream, const std::vector<size_t>& pieceEnds, size_t maxBytes)
{
    RequestReader reader(maxBytes);
    size_t start = 0;
    RequestReader::Result result = RequestReader::Result::Incomplete;
    for (size_t end : pieceEnds)
    {
        result = reader.feed(stream.data() + start, end - start);
        start = end;
    }
    if (result != reader.result()) std::abort();
    if (result != expected(stream, pieceEnds, maxBytes)) std::abort();
    const std::string& line = reader.line();
    if (result == RequestReader::Result::Line)
    {
        if (line.size() > maxBytes || line != stream.substr(0, stream.find('\n'))) std::abort();
    }
    else if (result != RequestReader::Result::Incomplete && !line.empty())
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    const size_t cuts = std::min<size_t>(data[0] % 16, size - 1);
    const std::string_view stream(reinterpret_cast<const char*>(data) + 1 + cuts, size - 1 - cuts);
    std::vector<size_t> pieceEnds;
    size_t at = 0;
    for (size_t i = 0; i < cuts; ++i)
    {
        at = std::min(stream.size(), at + data[1 + i]);
        pieceEnds.push_back(at);
    }
    pieceEnds.push_back(stream.size());
    // The server's limit, and a small one that long lines reach often.
    check(stream, pieceEnds, companion::kMaxRequestBytes);
    check(stream, pieceEnds, 24);
    return 0;
}
