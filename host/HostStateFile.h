#pragma once

#include <string>

#include "AAX_IACFEffectParameters.h"
#include "HostChunk.h"

namespace orv::host
{

// Saves a parameters component's state chunk to a file, restores it and compares it, as a
// host does with its documents and presets. Every operation returns false with a message
// when the file or the plug-in fails; a file is replaced only once it was written whole.
class HostStateFile
{
public:
    // Asks the component for its first chunk: ID, size, then the chunk itself.
    static bool Capture(AAX_IACFEffectParameters& parameters, HostChunk* outChunk,
                        std::string* outError);
    static bool Write(const HostChunk& chunk, const std::string& path, std::string* outError);
    static bool Read(const std::string& path, HostChunk* outChunk, std::string* outError);

    // Capture, then Write.
    static bool Save(AAX_IACFEffectParameters& parameters, const std::string& path,
                     std::string* outError);
    // Read, then SetChunk with the chunk's own ID. With a host attached the values change
    // when the host applies the set requests this causes.
    static bool Restore(AAX_IACFEffectParameters& parameters, const std::string& path,
                        std::string* outError);
    // Read, then CompareActiveChunk.
    static bool Compare(AAX_IACFEffectParameters& parameters, const std::string& path,
                        bool* outEqual, std::string* outError);
};

} // namespace orv::host
