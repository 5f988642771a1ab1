// Feeds arbitrary bytes, as the data of a state chunk, to SetChunk and CompareActiveChunk of
// the plug-in's parameters component running in the reference host. The first input byte
// picks whether set requests apply at once or wait for the host, so both paths are covered.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "HostChunk.h"
#include "HostedParameters.h"

namespace
{
struct Instance
{
    orv::host::ReferenceHost host;
    orv::test::HostedParameters hosted{host};
    AAX_IACFEffectParameters* parameters = hosted.Get();
    orv::host::HostAutomationDelegate& automation = hosted.Automation();
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Instance* instance = new Instance();
    if (size == 0 || size > orv::host::HostChunk::kMaxDataSize) return 0;
    instance->automation.SetImmediate((data[0] & 1) != 0);

    // The chunk holds exactly the input: any read past it is a finding.
    orv::host::HostChunk chunk(static_cast<uint32_t>(size));
    chunk.Record()->fChunkID = 0x656C636B; // 'elck'
    std::memcpy(reinterpret_cast<unsigned char*>(chunk.Record()) + kAAX_SPlugInChunkHeaderSize,
                data, size);

    AAX_CBoolean equal = 0;
    instance->parameters->CompareActiveChunk(chunk.Record(), &equal);
    instance->parameters->SetChunk(0x656C636B, chunk.Record());
    instance->automation.Pump();
    instance->parameters->CompareActiveChunk(chunk.Record(), &equal);
    instance->automation.ClearEvents();
    return 0;
}
