#pragma once

#include <cstddef>
#include <cstdint>

#include "acfbasetypes.h"

// Basic types shared by the plug-in, the library and the host. Everything here may cross
// the host boundary, so widths are fixed and record layouts are checked at compile time.

typedef int8_t int8;
typedef uint8_t uint8;
typedef int16_t int16;
typedef uint16_t uint16;
typedef int32_t int32;
typedef uint32_t uint32;
// The 64-bit types are spelled as the host spells them (long long), not as int64_t, which is
// long on some systems.
typedef long long int64;
typedef unsigned long long uint64;
static_assert(sizeof(int64) == 8 && sizeof(uint64) == 8, "64-bit integers are 8 bytes");

// Every host-facing operation returns one of the codes of AAX_Errors.h.
typedef int32 AAX_Result;
// A parameter identifier: zero-terminated text, at most 31 characters.
typedef const char* AAX_CParamID;
typedef uint8 AAX_CBoolean;
// Four-character codes, first character in the most significant byte.
typedef uint32 AAX_CTypeID;
typedef int32 AAX_CFieldIndex;
typedef int32 AAX_CPropertyValue;
typedef uint32 AAX_CSelector;
typedef float AAX_CSampleRate;
typedef int64 AAX_CTransportCounter;

// What a procedure registered with an effect does.
typedef int32 AAX_CProcPtrID;
enum : AAX_CProcPtrID
{
    kAAX_ProcPtrID_Create_EffectParameters = 0,
    kAAX_ProcPtrID_Create_EffectGUI = 1,
    kAAX_ProcPtrID_Create_HostProcessor = 3,
};

// Procedures that a component descriptor registers for real-time processing.
typedef void (*AAX_CProcessProc)(void* const instancesBegin[], const void* instancesEnd);
typedef int32 (*AAX_CInstanceInitProc)(const void* instanceContext, const void* data, int32 action);
typedef int32 (*AAX_CBackgroundProc)();

// A property number of a property map. The values between the bounds are the host's.
enum AAX_EProperty : int32
{
    AAX_eProperty_NoID = 0,
    AAX_eProperty_MinProp = 10,
    AAX_eProperty_ManufacturerID = 11,
    AAX_eProperty_ProductID = 12,
    AAX_eProperty_PlugInID_AudioSuite = 14,
    AAX_eProperty_MaxProp = 401,
};

enum AAX_EParameterType : int32
{
    AAX_eParameterType_Discrete = 0,
    AAX_eParameterType_Continuous = 1,
};

typedef int32 AAX_EParameterOrientation;

// Where a host-confirmed parameter update came from.
enum AAX_EUpdateSource : int32
{
    AAX_eUpdateSource_Unspecified = 0,
    AAX_eUpdateSource_Parameter = 1,
    AAX_eUpdateSource_Chunk = 2,
    AAX_eUpdateSource_Delay = 3,
};

// Priority of a trace message given to the host; higher values are more urgent.
enum AAX_ETracePriorityHost : int32
{
    AAX_eTracePriorityHost_None = 0,
    AAX_eTracePriorityHost_Lowest = 0x01000000,
    AAX_eTracePriorityHost_Low = 0x02000000,
    AAX_eTracePriorityHost_Normal = 0x04000000,
    AAX_eTracePriorityHost_High = 0x08000000,
    AAX_eTracePriorityHost_Critical = 0x10000000,
};

// Values of the following are the host's; the system only passes them through.
enum AAX_EStemFormat : int32
{
    AAX_eStemFormat_None = 0,
    AAX_eStemFormat_Mono = 1,
    AAX_eStemFormat_Stereo = 2,
};
// Placeholders holding one value each, one a line: clang-format would spread each over four.
// clang-format off
enum AAX_EFrameRate : int32 { AAX_eFrameRate_Undeclared = 0 };
enum AAX_EFeetFramesRate : int32 { AAX_eFeetFramesRate_23976 = 0 };
enum AAX_EHighlightColor : int32 { AAX_eHighlightColor_Red = 0 };
enum AAX_EPlugInStrings : int32 { AAX_ePlugInStrings_Analysis = 0 };
enum AAX_EResourceType : int32 { AAX_eResourceType_None = 0 };
enum AAX_EMIDINodeType : int32 { AAX_eMIDINodeType_LocalInput = 0 };
enum AAX_EDataInPortType : int32 { AAX_eDataInPortType_Unbuffered = 0 };
// clang-format on

// Type of the native view a host's view container holds.
enum AAX_EViewContainer_Type : int32
{
    AAX_eViewContainer_Type_NULL = 0,
    AAX_eViewContainer_Type_NSView = 1,
};

// Host geometry. Field order is the host's: vertical before horizontal, top before left.
struct AAX_Point
{
    float vert;
    float horz;
};
static_assert(sizeof(AAX_Point) == 8 && offsetof(AAX_Point, horz) == 4, "AAX_Point layout");

struct AAX_Rect
{
    float top;
    float left;
    float width;
    float height;
};
static_assert(sizeof(AAX_Rect) == 16 && offsetof(AAX_Rect, left) == 4 &&
                  offsetof(AAX_Rect, width) == 8 && offsetof(AAX_Rect, height) == 12,
              "AAX_Rect layout");

// One MIDI message with its time stamp.
struct AAX_CMidiPacket
{
    uint32 mTimestamp;
    uint32 mLength;
    unsigned char mData[4];
    AAX_CBoolean mIsImmediate;
};
static_assert(offsetof(AAX_CMidiPacket, mData) == 8 &&
                  offsetof(AAX_CMidiPacket, mIsImmediate) == 12,
              "AAX_CMidiPacket layout");

// Manufacturer, product and plug-in identifiers of one plug-in type.
struct AAX_SPlugInIdentifierTriad
{
    AAX_CTypeID mManufacturerID;
    AAX_CTypeID mProductID;
    AAX_CTypeID mPlugInID;
};
static_assert(sizeof(AAX_SPlugInIdentifierTriad) == 12, "AAX_SPlugInIdentifierTriad layout");

// The host's record of one state chunk. The host allocates it with room for fSize bytes of
// data starting at fData.
struct AAX_SPlugInChunk
{
    int32 fSize;
    int32 fVersion;
    AAX_CTypeID fManufacturerID;
    AAX_CTypeID fProductID;
    AAX_CTypeID fPlugInID;
    AAX_CTypeID fChunkID;
    unsigned char fName[32];
    char fData[1];
};
static_assert(offsetof(AAX_SPlugInChunk, fVersion) == 4 &&
                  offsetof(AAX_SPlugInChunk, fManufacturerID) == 8 &&
                  offsetof(AAX_SPlugInChunk, fChunkID) == 20 &&
                  offsetof(AAX_SPlugInChunk, fName) == 24 &&
                  offsetof(AAX_SPlugInChunk, fData) == 56,
              "AAX_SPlugInChunk layout");
// Bytes of an AAX_SPlugInChunk before its data.
constexpr size_t kAAX_SPlugInChunkHeaderSize = offsetof(AAX_SPlugInChunk, fData);

// Rendering record of the hybrid path; the system never renders there, so it stays opaque.
struct AAX_SHybridRenderInfo;
