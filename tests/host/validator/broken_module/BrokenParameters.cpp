#include "BrokenParameters.h"

#include <cstring>

#include "AAX_Errors.h"
#include "DemoDelay_ParameterIDs.h"

// Replaces DemoDelay_Parameters::Create at link time (see CMakeLists.txt).
extern "C" AAX_CEffectParameters* __wrap__ZN20DemoDelay_Parameters6CreateEv()
{
    return new BrokenParameters();
}

AAX_Result BrokenParameters::GetChunk(AAX_CTypeID chunkID, AAX_SPlugInChunk* chunk)
{
    const AAX_Result result = DemoDelay_Parameters::GetChunk(chunkID, chunk);
    if (result != kResultSuccess || chunk->fSize <= 0) return result;
    // The lowest byte of the last value: invisible at float precision, but never the same.
    unsigned char* data = reinterpret_cast<unsigned char*>(chunk) + kAAX_SPlugInChunkHeaderSize;
    data[chunk->fSize - 1] ^= ++mSaves;
    return result;
}

AAX_Result BrokenParameters::GetParameterValueFromString(AAX_CParamID identifier, double* outValue,
                                                         const AAX_IString& valueString) const
{
    if (identifier && std::strcmp(identifier, kMaxFrequencyParameterID) == 0)
    {
        volatile int* volatile nowhere = nullptr;
        *nowhere = 1;
    }
    return DemoDelay_Parameters::GetParameterValueFromString(identifier, outValue, valueString);
}
