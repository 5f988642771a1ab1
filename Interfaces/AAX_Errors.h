#pragma once

#include "AAX.h"
#include "acfresult.h"

// Result codes of every host-facing operation: 0 is success, everything else an error.
enum AAX_EError : AAX_Result
{
    kResultSuccess = ACF_OK,
    kResultInvalidParameterId = -20001,       // no such parameter or output
    kResultConversionFailed = -20002,         // value/text conversion refused
    kResultNullObject = -20004,               // host interface or object missing
    kResultBadChunkIndex = -20006,            // chunk index out of range
    kResultBadChunkId = -20007,               // chunk identifier unrecognised
    kResultBadChunkSize = -20008,             // chunk size invalid or changed
    kResultUnimplemented = -20009,            // not implemented
    kResultNotInitialized = -20011,           // no host object at Initialize
    kResultNullArgument = -20030,             // out pointer is null
    kResultBadStepCount = -20033,             // negative step count
    kResultChunkDataFailed = -333,            // chunk data not produced
    kResultRenderArgument = -9989,            // render arguments inconsistent
    kResultUnknownCustomData = -9994,         // custom-data tag unrecognised
    kResultNoInterface = ACF_E_NOINTERFACE,   // interface not supported
    kResultNullPointerAccess = ACF_E_POINTER, // thrown by an empty holder
    kResultUnexpected = ACF_E_UNEXPECTED,     // exception caught at an entry point
};
