#pragma once

#include "AAX.h"

class AAX_ICollection;

// Describes the plug-in's one effect, "Orvendal QV" (an offline effect with its create
// procedures and properties, no real-time component), and adds it to collection. Returns
// kResultNullObject without a descriptor, the code of a failing SetProperties (the effect is
// then not added), or AddEffect's result.
AAX_Result HostProcessor_GetEffectDescriptions(AAX_ICollection* collection);

// GetEffectDescriptions, the module's description entry, is declared in AAX_Init.h: it
// describes the effect, then names the package and its manufacturer whatever that returned.
