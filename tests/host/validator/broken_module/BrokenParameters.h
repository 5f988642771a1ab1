#pragma once

#include "DemoDelay_Parameters.h"

// The plug-in's parameters with faults a validator must catch. By default two: every saved
// chunk differs from the last (a save counter in its last byte), and reading a value from
// text for the maximum frequency writes through a null pointer. With ORV_BROKEN_FAULT set to
// "bypass" the chunk keeps the master bypass instead, and with "packets" every hundredth
// coefficient pass also posts a packet holding a value no parameter had; then only that fault is
// shown.
class BrokenParameters : public DemoDelay_Parameters
{
public:
    BrokenParameters();

    AAX_Result Initialize(IACFUnknown* host) override;
    AAX_Result GenerateCoefficients() override;
    AAX_Result GetChunk(AAX_CTypeID chunkID, AAX_SPlugInChunk* chunk) override;
    AAX_Result GetParameterValueFromString(AAX_CParamID identifier, double* outValue,
                                           const AAX_IString& valueString) const override;

private:
    enum class Fault
    {
        ChunkAndCrash,
        Bypass,
        Packets,
    };
    const Fault mFault;
    unsigned char mSaves = 0;
    unsigned mPasses = 0;
};
