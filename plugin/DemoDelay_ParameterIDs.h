#pragma once

#include "AAX.h"
#include "ParameterIDs.h"

// The parameter identifiers the effect's parameter set, host processor and editor share are
// part of the contract with hosts and tools (ParameterIDs.h); this adds the plug-in's own.

// Custom data: the message block 'hmsg'.
constexpr AAX_CTypeID kMessageDataID = 0x686D7367; // 'hmsg'
