#pragma once

#include "AAX_Errors.h"

namespace orv::host
{

// How the host's description objects behave, to play older or faulty hosts in tests.
struct HostDescriptionOptions
{
    bool offerDescriptions = true;           // the factory makes collections, descriptors, maps
    bool offerPluginDefinition = true;       // the collection answers IID_IACFPluginDefinition
    bool effectDescriptorVersion2 = true;    // IID_IAAXEffectDescriptorV2
    bool componentDescriptorVersion2 = true; // IID_IAAXComponentDescriptorV2
    bool propertyMapVersion2 = true;         // IID_IAAXPropertyMapV2
    AAX_Result setPropertiesResult = kResultSuccess; // what an effect's SetProperties answers
    AAX_Result addEffectResult = kResultSuccess;     // what the collection's AddEffect answers
    // An effect descriptor's AddName throws an int, as a faulty host might.
    bool throwInAddName = false;
};

} // namespace orv::host
