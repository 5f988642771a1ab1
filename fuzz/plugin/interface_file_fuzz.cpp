// Arbitrary bytes as the processed interface file: the header check, then slice reads of
// varying sizes until the data runs out. The first two bytes give the sample count the
// analysis pass recorded.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <sstream>
#include <vector>

#include "InterfaceFileReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2) return 0;
    const int32 expected = data[0] | (data[1] << 8);
    auto stream = std::make_unique<std::istringstream>(
        std::string(reinterpret_cast<const char*>(data + 2), size - 2));
    InterfaceFileReader reader;
    if (reader.Open(std::move(stream), 1, 48000.0f, expected) != 0) return 0;
    std::vector<float> slice(1024);
    for (int32 window = 1; reader.ReadSlice(slice.data(), window) == 0; window = window % 1024 + 7)
    {
    }
    if (reader.SamplesRead() < 0 || reader.SamplesRead() > 1024) __builtin_trap();
    return 0;
}
