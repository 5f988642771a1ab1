#pragma once

#include "DemoDelay_Parameters.h"

// The plug-in's parameters with two faults a validator must catch: every saved chunk differs
// from the last (a save counter in its last byte), and reading a value from text for the
// maximum frequency writes through a null pointer.
class BrokenParameters : public DemoDelay_Parameters
{
public:
    AAX_Result GetChunk(AAX_CTypeID chunkID, AAX_SPlugInChunk* chunk) override;
    AAX_Result GetParameterValueFromString(AAX_CParamID identifier, double* outValue,
                                           const AAX_IString& valueString) const override;

private:
    unsigned char mSaves = 0;
};
