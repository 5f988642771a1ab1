#include "StateCheck.h"

#include <algorithm>
#include <cstring>

#include "CheckContext.h"
#include "CheckSession.h"
#include "CheckedInstance.h"
#include "EvidenceText.h"
#include "ParameterSnapshot.h"

namespace orv::host::validator
{
namespace
{
// A chunk with model's header (ID, version, identifiers, name) and the given data.
HostChunk ChunkWithData(const HostChunk& model, const unsigned char* data, uint32 size)
{
    HostChunk chunk(size);
    AAX_SPlugInChunk* record = chunk.Record();
    const AAX_SPlugInChunk* source = model.Record();
    record->fVersion = source->fVersion;
    record->fManufacturerID = source->fManufacturerID;
    record->fProductID = source->fProductID;
    record->fPlugInID = source->fPlugInID;
    record->fChunkID = source->fChunkID;
    std::memcpy(record->fName, source->fName, sizeof record->fName);
    if (size > 0)
        std::memcpy(reinterpret_cast<unsigned char*>(record) + kAAX_SPlugInChunkHeaderSize, data,
                    size);
    return chunk;
}

void SaveChunk(CheckContext& context, const std::string& name, const HostChunk& chunk)
{
    const std::vector<unsigned char> bytes = chunk.Serialize();
    context.SaveArtifact(name, bytes.data(), bytes.size());
}

std::vector<unsigned char> RandomBytes(CheckContext& context, size_t count)
{
    std::vector<unsigned char> bytes(count);
    for (unsigned char& byte : bytes)
        byte = static_cast<unsigned char>(context.Random()());
    return bytes;
}
// Every parameter set through the host to a random value, one set request each.
void SetRandomValues(CheckContext& context, CheckedInstance& instance, const std::string& step)
{
    context.Progress(step + "random values");
    for (const std::string& identifier : instance.Identifiers())
    {
        const double value = context.UniformUnit();
        context.Progress(step + "set request " + identifier + " = " + ExactDigits(value));
        instance.SetThroughHost(identifier.c_str(), value);
    }
}

// Saves the state twice without a change in between into *first; false (after saying why)
// when it cannot be saved. *sound turns false when the two chunks differ.
bool SaveTwice(CheckContext& context, CheckedInstance& instance, const std::string& step,
               const std::string& evidence, HostChunk* first, bool* sound)
{
    context.Progress(step + "saving twice");
    std::string error;
    HostChunk second;
    if (!instance.Save(first, &error) || !instance.Save(&second, &error))
    {
        context.Fail(step + "cannot save the state: " + error);
        instance.SaveEvidence(context, evidence);
        return false;
    }
    if (first->Serialize() == second.Serialize()) return true;
    context.Fail(step + "saving twice without a change gives different chunks");
    SaveChunk(context, evidence + "-first.chunk", *first);
    SaveChunk(context, evidence + "-second.chunk", second);
    *sound = false;
    return true;
}

// Whether `restored`, given `saved`, matches it, holds the original's values and saves the
// same chunk again; each failure is said.
bool RestoredMatches(CheckContext& context, CheckedInstance& original, CheckedInstance& restored,
                     const std::string& step, const std::string& evidence, const HostChunk& saved)
{
    context.Progress(step + "restoring into the second instance");
    AAX_Result result = restored.Restore(saved);
    if (result != kResultSuccess)
        context.Fail(step + "SetChunk of a saved chunk returned " + std::to_string(result));
    context.Progress(step + "comparing the restored instance");
    AAX_CBoolean equal = 0;
    result = restored.Parameters().CompareActiveChunk(saved.Record(), &equal);
    if (result != kResultSuccess || !equal)
        context.Fail(step + "the restored instance does not match the chunk (result " +
                     std::to_string(result) + ")");
    const std::string differences = ParameterSnapshot::Capture(restored).Differences(
        ParameterSnapshot::Capture(original), original.BypassIdentifier());
    if (!differences.empty()) context.Fail(step + "restored values differ:" + differences);
    context.Progress(step + "saving the restored instance");
    std::string error;
    HostChunk third;
    if (!restored.Save(&third, &error))
        context.Fail(step + "cannot save the restored instance: " + error);
    else if (third.Serialize() != saved.Serialize())
    {
        context.Fail(step + "the restored instance saves a different chunk");
        SaveChunk(context, evidence + "-restored.chunk", third);
    }
    return result == kResultSuccess && equal && differences.empty() &&
           third.Serialize() == saved.Serialize();
}

} // namespace

void StateCheck::Run(CheckContext& context)
{
    std::unique_ptr<CheckSession> session;
    std::unique_ptr<CheckedInstance> instance;
    if (!CheckSession::Start(context, &session, &instance)) return;
    std::string error;

    HostChunk saved;
    const int64_t rounds = context.Scaled(kRounds);
    for (int64_t round = 0; round < rounds; ++round)
        if (!RoundTrip(context, *session, *instance, static_cast<int>(round), &saved)) break;
    if (saved.Capacity() == 0 && !instance->Save(&saved, &error))
        return context.Fail("cannot save the state: " + error);
    if (instance->BypassIdentifier().empty())
        context.Info("the plug-in names no master bypass; nothing to keep out of the chunk");
    else
        BypassStaysOut(context, *instance);
    mDamagedRestored = 0;
    DamagedChunks(context, *instance, saved);
    context.Info(std::to_string(rounds) + " save and restore rounds, " +
                 std::to_string(mDamagedRestored) + " damaged chunks restored");
}

bool StateCheck::RoundTrip(CheckContext& context, CheckSession& session, CheckedInstance& instance,
                           int round, HostChunk* outSaved)
{
    const std::string step = "round " + std::to_string(round) + ": ";
    const std::string evidence = "state-round" + std::to_string(round);
    SetRandomValues(context, instance, step);
    HostChunk first;
    bool sound = true;
    if (!SaveTwice(context, instance, step, evidence, &first, &sound)) return false;
    *outSaved = first;

    context.Progress(step + "comparing the instance with its own chunk");
    AAX_CBoolean equal = 0;
    const AAX_Result result = instance.Parameters().CompareActiveChunk(first.Record(), &equal);
    if (result != kResultSuccess || !equal)
    {
        context.Fail(step + "the instance does not match the chunk it just saved (result " +
                     std::to_string(result) + ")");
        sound = false;
    }

    context.Progress(step + "creating a second instance");
    std::string error;
    std::unique_ptr<CheckedInstance> restored = session.CreateInstance(&error);
    if (!restored)
    {
        context.Fail(step + "cannot create a second instance: " + error);
        return false;
    }
    sound = RestoredMatches(context, instance, *restored, step, evidence, first) && sound;
    if (sound) return true;
    SaveChunk(context, evidence + "-saved.chunk", first);
    instance.SaveEvidence(context, evidence + "-original");
    restored->SaveEvidence(context, evidence + "-restored");
    return false;
}

bool StateCheck::BypassStaysOut(CheckContext& context, CheckedInstance& instance)
{
    const std::string bypass = instance.BypassIdentifier();
    context.Progress("saving twice before changing " + bypass);
    HostChunk before;
    HostChunk again;
    std::string error;
    if (!instance.Save(&before, &error) || !instance.Save(&again, &error))
    {
        context.Fail("cannot save the state: " + error);
        return false;
    }
    // A chunk that changes by itself says nothing about the bypass (that fault is reported).
    if (before.Serialize() != again.Serialize())
    {
        context.Info("the chunk differs between saves, so the bypass cannot be looked for in it");
        return true;
    }
    double value = 0.0;
    instance.Parameters().GetParameterNormalizedValue(bypass.c_str(), &value);
    // Both ways, so a chunk that stores the bypass changes whatever it started at.
    for (const double toggled : {value < 0.5 ? 1.0 : 0.0, value < 0.5 ? 0.0 : 1.0})
    {
        context.Progress("set request " + bypass + " = " + ExactDigits(toggled));
        instance.SetThroughHost(bypass.c_str(), toggled);
        context.Progress("saving with " + bypass + " = " + ExactDigits(toggled));
        HostChunk chunk;
        if (!instance.Save(&chunk, &error))
        {
            context.Fail("cannot save the state with the bypass changed: " + error);
            return false;
        }
        if (chunk.Serialize() != before.Serialize())
        {
            context.Fail("the chunk changes with the master bypass " + bypass);
            SaveChunk(context, "state-bypass-before.chunk", before);
            SaveChunk(context, "state-bypass-after.chunk", chunk);
            return false;
        }
    }
    return true;
}

void StateCheck::DamagedChunks(CheckContext& context, CheckedInstance& instance,
                               const HostChunk& good)
{
    const uint32 size = good.DataSize();
    const unsigned char* data = good.Data();
    if (!RestoreDamaged(context, instance, ChunkWithData(good, nullptr, 0), "an empty chunk"))
        return;

    // Every length at full strictness; evenly spread lengths below it.
    const uint32 stride =
        static_cast<uint32>(std::max<int64_t>(1, size / context.Scaled(std::max<uint32>(size, 1))));
    for (uint32 length = 1; length < size; length += stride)
        if (!RestoreDamaged(context, instance, ChunkWithData(good, data, length),
                            "the chunk cut to " + std::to_string(length) + " bytes"))
            return;

    const int64_t randomChunks = context.Scaled(kRandomChunks);
    for (int64_t i = 0; i < randomChunks; ++i)
    {
        std::vector<unsigned char> bytes = RandomBytes(context, kRandomChunkSize);
        // Every other one starts as the real data does, so the plug-in reads past its marker.
        if (i % 2 == 1) std::copy(data, data + std::min<uint32>(size, 4), bytes.begin());
        if (!RestoreDamaged(context, instance, ChunkWithData(good, bytes.data(), kRandomChunkSize),
                            "random chunk " + std::to_string(i) + " of " +
                                std::to_string(kRandomChunkSize) + " bytes"))
            return;
    }

    const int64_t mutated = context.Scaled(kMutatedChunks);
    for (int64_t i = 0; i < mutated && size > 0; ++i)
    {
        std::vector<unsigned char> bytes(data, data + size);
        const std::string what = "the chunk with junk " + std::to_string(i);
        if (i % 4 == 3)
        {
            // Records after the real ones: junk that starts where a record would.
            const std::vector<unsigned char> junk =
                RandomBytes(context, 1 + context.Random()() % 64);
            bytes.insert(bytes.end(), junk.begin(), junk.end());
        }
        else
        {
            const int changes = 1 + static_cast<int>(context.Random()() % 8);
            for (int change = 0; change < changes; ++change)
                bytes[context.Random()() % size] = static_cast<unsigned char>(context.Random()());
        }
        if (!RestoreDamaged(context, instance,
                            ChunkWithData(good, bytes.data(), static_cast<uint32>(bytes.size())),
                            what))
            return;
    }
}

bool StateCheck::RestoreDamaged(CheckContext& context, CheckedInstance& instance,
                                const HostChunk& chunk, const std::string& what)
{
    context.Progress("restoring " + what);
    ++mDamagedRestored;
    instance.Restore(chunk);
    context.Progress("comparing with " + what);
    AAX_CBoolean equal = 0;
    instance.Parameters().CompareActiveChunk(chunk.Record(), &equal);
    const std::string invalid = ParameterSnapshot::Capture(instance).Invalid();
    if (invalid.empty()) return true;
    context.Fail("after restoring " + what + ":" + invalid);
    SaveChunk(context, "state-damaged.chunk", chunk);
    instance.SaveEvidence(context, "state-damaged-after");
    return false;
}

} // namespace orv::host::validator
