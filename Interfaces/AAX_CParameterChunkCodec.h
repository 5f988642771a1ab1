#pragma once

#include "AAX_CChunkDataParser.h"
#include "AAX_IParameter.h"

// One parameter's record in the state chunk: its value saved as a record (floats widened to
// 'd', switches as 'l' 0 or 1), restored from one, or compared with one. The value is taken
// from the first typed accessor that answers, in the order the chunk depends on: float,
// int32, bool, double, text; a parameter whose accessors all refuse has no record.
class AAX_CParameterChunkCodec
{
public:
    static void Write(AAX_CChunkDataParser& parser, const AAX_IParameter& parameter);
    // Sets the parameter from its record when one of its type was read: a set request each.
    static void Restore(AAX_CChunkDataParser& parser, AAX_IParameter& parameter);
    // Whether the record read for the parameter holds its current value; floats and doubles
    // compare at float precision, as the chunk keeps floats widened.
    static bool Matches(AAX_CChunkDataParser& parser, const AAX_IParameter& parameter);
};
