#include "HostStateFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "AAX_Errors.h"

namespace orv::host
{
namespace
{
bool Fail(std::string* outError, const std::string& message)
{
    if (outError) *outError = message;
    return false;
}

std::string PlugInFailure(const char* operation, AAX_Result result)
{
    return std::string(operation) + " failed with result " + std::to_string(result);
}
} // namespace

bool HostStateFile::Capture(AAX_IACFEffectParameters& parameters, HostChunk* outChunk,
                            std::string* outError)
{
    if (!outChunk) return Fail(outError, "no chunk to capture into");
    int32 numChunks = 0;
    AAX_Result result = parameters.GetNumberOfChunks(&numChunks);
    if (result != kResultSuccess) return Fail(outError, PlugInFailure("GetNumberOfChunks", result));
    if (numChunks < 1) return Fail(outError, "the plug-in has no state chunk");
    AAX_CTypeID chunkID = 0;
    result = parameters.GetChunkIDFromIndex(0, &chunkID);
    if (result != kResultSuccess)
        return Fail(outError, PlugInFailure("GetChunkIDFromIndex", result));
    uint32 size = 0;
    result = parameters.GetChunkSize(chunkID, &size);
    if (result != kResultSuccess) return Fail(outError, PlugInFailure("GetChunkSize", result));
    if (size > HostChunk::kMaxDataSize)
        return Fail(outError,
                    "the plug-in announced a chunk of " + std::to_string(size) + " bytes");

    HostChunk chunk(size);
    chunk.Record()->fChunkID = chunkID;
    result = parameters.GetChunk(chunkID, chunk.Record());
    if (result != kResultSuccess) return Fail(outError, PlugInFailure("GetChunk", result));
    if (chunk.Record()->fSize < 0 || static_cast<uint32>(chunk.Record()->fSize) > size)
        return Fail(outError, "the plug-in wrote a chunk size of " +
                                  std::to_string(chunk.Record()->fSize) + " for room of " +
                                  std::to_string(size));
    *outChunk = std::move(chunk);
    return true;
}

bool HostStateFile::Write(const HostChunk& chunk, const std::string& path, std::string* outError)
{
    const std::vector<unsigned char> bytes = chunk.Serialize();
    const std::string temporary = path + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return Fail(outError, "cannot write " + temporary + ": " + std::strerror(errno));
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out)
        {
            std::remove(temporary.c_str());
            return Fail(outError, "cannot write " + temporary);
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0)
    {
        const std::string reason = std::strerror(errno);
        std::remove(temporary.c_str());
        return Fail(outError, "cannot replace " + path + ": " + reason);
    }
    return true;
}

bool HostStateFile::Read(const std::string& path, HostChunk* outChunk, std::string* outError)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return Fail(outError, "cannot read " + path + ": " + std::strerror(errno));
    const std::streamoff length = in.tellg();
    if (length < 0) return Fail(outError, "cannot read " + path);
    if (static_cast<uint64>(length) > kAAX_SPlugInChunkHeaderSize + HostChunk::kMaxDataSize)
        return Fail(outError, path + " is too large for a state file");
    std::vector<unsigned char> bytes(static_cast<size_t>(length));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), length);
    if (!in) return Fail(outError, "cannot read " + path);
    std::string error;
    if (!HostChunk::Parse(bytes, outChunk, &error)) return Fail(outError, path + ": " + error);
    return true;
}

bool HostStateFile::Save(AAX_IACFEffectParameters& parameters, const std::string& path,
                         std::string* outError)
{
    HostChunk chunk;
    return Capture(parameters, &chunk, outError) && Write(chunk, path, outError);
}

bool HostStateFile::Restore(AAX_IACFEffectParameters& parameters, const std::string& path,
                            std::string* outError)
{
    HostChunk chunk;
    if (!Read(path, &chunk, outError)) return false;
    const AAX_Result result = parameters.SetChunk(chunk.Record()->fChunkID, chunk.Record());
    if (result != kResultSuccess) return Fail(outError, PlugInFailure("SetChunk", result));
    return true;
}

bool HostStateFile::Compare(AAX_IACFEffectParameters& parameters, const std::string& path,
                            bool* outEqual, std::string* outError)
{
    if (!outEqual) return Fail(outError, "no place for the comparison's answer");
    HostChunk chunk;
    if (!Read(path, &chunk, outError)) return false;
    AAX_CBoolean equal = 0;
    const AAX_Result result = parameters.CompareActiveChunk(chunk.Record(), &equal);
    if (result != kResultSuccess)
        return Fail(outError, PlugInFailure("CompareActiveChunk", result));
    *outEqual = equal != 0;
    return true;
}

} // namespace orv::host
