#include "BrokenParameters.h"

#include <cstdlib>
#include <cstring>

#include "AAX_Errors.h"
#include "AAX_IController.h"
#include "DemoDelay_ParameterIDs.h"

// Replaces DemoDelay_Parameters::Create at link time (see CMakeLists.txt).
extern "C" AAX_CEffectParameters* __wrap__ZN20DemoDelay_Parameters6CreateEv()
{
    return new BrokenParameters();
}

namespace
{
// The field the first tool switch posts to, a value outside every parameter's range, and how
// often it is posted: rarely enough that a host sees correct packets first.
constexpr AAX_CFieldIndex kStrayField = 1;
constexpr unsigned kStrayEvery = 100;
constexpr float kStrayValue = 2.0f;
constexpr uint32 kPacketSize = 8;

bool FaultNamed(const char* name)
{
    const char* chosen = std::getenv("ORV_BROKEN_FAULT");
    return chosen && std::strcmp(chosen, name) == 0;
}
} // namespace

BrokenParameters::BrokenParameters()
    : mFault(FaultNamed("bypass")    ? Fault::Bypass
             : FaultNamed("packets") ? Fault::Packets
                                     : Fault::ChunkAndCrash)
{
}

AAX_Result BrokenParameters::Initialize(IACFUnknown* host)
{
    const AAX_Result result = DemoDelay_Parameters::Initialize(host);
    // Forgets that the bypass stays out of the chunk.
    if (mFault == Fault::Bypass) mFilteredParameters.clear();
    return result;
}

AAX_Result BrokenParameters::GenerateCoefficients()
{
    const AAX_Result result = DemoDelay_Parameters::GenerateCoefficients();
    if (mFault != Fault::Packets || ++mPasses % kStrayEvery != 0 || !Controller()) return result;
    unsigned char payload[kPacketSize] = {};
    std::memcpy(payload, &kStrayValue, sizeof kStrayValue);
    Controller()->PostPacket(kStrayField, payload, kPacketSize);
    return result;
}

AAX_Result BrokenParameters::GetChunk(AAX_CTypeID chunkID, AAX_SPlugInChunk* chunk)
{
    const AAX_Result result = DemoDelay_Parameters::GetChunk(chunkID, chunk);
    if (mFault != Fault::ChunkAndCrash || result != kResultSuccess || chunk->fSize <= 0)
        return result;
    // The lowest byte of the last value: invisible at float precision, but never the same.
    unsigned char* data = reinterpret_cast<unsigned char*>(chunk) + kAAX_SPlugInChunkHeaderSize;
    data[chunk->fSize - 1] ^= ++mSaves;
    return result;
}

AAX_Result BrokenParameters::GetParameterValueFromString(AAX_CParamID identifier, double* outValue,
                                                         const AAX_IString& valueString) const
{
    if (mFault == Fault::ChunkAndCrash && identifier &&
        std::strcmp(identifier, kMaxFrequencyParameterID) == 0)
    {
        volatile int* volatile nowhere = nullptr;
        *nowhere = 1;
    }
    return DemoDelay_Parameters::GetParameterValueFromString(identifier, outValue, valueString);
}
