#include "ThreadCheck.h"

#include <atomic>
#include <set>
#include <thread>

#include "CheckContext.h"
#include "CheckSession.h"
#include "CheckedInstance.h"
#include "EvidenceText.h"
#include "PacketLayout.h"

namespace orv::host::validator
{
namespace
{
// Every value each parameter held during the run, by parameter index.
using HeldValues = std::vector<std::set<double>>;

std::string PacketLogText(const std::vector<HostController::Packet>& packets, size_t start)
{
    std::string text;
    for (size_t i = start; i < packets.size(); ++i)
    {
        text += "field " + std::to_string(packets[i].field) + ":";
        for (unsigned char byte : packets[i].bytes)
        {
            static const char kHex[] = "0123456789abcdef";
            text += ' ';
            text += kHex[byte >> 4];
            text += kHex[byte & 0x0F];
        }
        text += '\n';
    }
    return text;
}

// The fault of one packet, or empty: its field is known, its size is the field's, and it
// holds a value one of the field's parameters had.
std::string PacketFault(const PacketLayout& layout, const HostController::Packet& packet,
                        const std::vector<std::string>& identifiers, const HeldValues& held)
{
    const PacketLayout::Field* field = layout.Find(packet.field);
    const std::string name = "packet of field " + std::to_string(packet.field);
    if (!field) return name + ", which no parameter posts";
    if (packet.bytes.size() != field->size)
        return name + " has " + std::to_string(packet.bytes.size()) + " bytes, not " +
               std::to_string(field->size);
    double decoded = 0.0;
    PacketLayout::Decode(field->encoding, packet.bytes, &decoded);
    for (size_t index = 0; index < identifiers.size(); ++index)
    {
        bool posts = false;
        for (const std::string& identifier : field->identifiers)
            posts = posts || identifier == identifiers[index];
        if (!posts) continue;
        for (double value : held[index])
            if (PacketLayout::Carries(field->encoding, decoded, value)) return std::string();
    }
    return name + " holds " + ExactDigits(decoded) + ", a value " + field->identifiers.front() +
           " never had";
}
// The values every parameter holds before the run.
HeldValues StartingValues(AAX_IACFEffectParameters& parameters,
                          const std::vector<std::string>& identifiers)
{
    HeldValues held(identifiers.size());
    for (size_t index = 0; index < identifiers.size(); ++index)
    {
        double value = 0.0;
        parameters.GetParameterNormalizedValue(identifiers[index].c_str(), &value);
        held[index].insert(value);
    }
    return held;
}

// What the processing side's thread met.
struct DispatchFailures
{
    int count = 0;
    AAX_Result last = kResultSuccess;
};

// One thread sets `values` round by round (every parameter once a round, remembering what
// each then held) while another generates coefficients once a round. Each keeps within a
// round of the other, so they overlap for the whole run however the scheduler treats them.
DispatchFailures RunBothThreads(CheckContext& context, CheckedInstance& instance,
                                const std::vector<std::string>& identifiers,
                                const std::vector<double>& values, int64_t rounds, HeldValues& held)
{
    AAX_IACFEffectParameters& parameters = instance.Parameters();
    HostAutomationDelegate& automation = instance.Automation();
    std::atomic<bool> go{false};
    std::atomic<int64_t> roundsStarted{0};
    std::atomic<int64_t> dispatchesDone{0};
    std::atomic<int> failedDispatches{0};
    std::atomic<AAX_Result> lastFailure{kResultSuccess};
    std::thread setter(
        [&]
        {
            while (!go.load())
                std::this_thread::yield();
            for (int64_t round = 0; round < rounds; ++round)
            {
                context.Progress("round " + std::to_string(round) + " of set requests");
                while (dispatchesDone.load() < round - 1)
                    std::this_thread::yield();
                roundsStarted = round + 1;
                for (size_t index = 0; index < identifiers.size(); ++index)
                {
                    const char* identifier = identifiers[index].c_str();
                    const double value =
                        values[static_cast<size_t>(round) * identifiers.size() + index];
                    parameters.SetParameterNormalizedValue(identifier, value);
                    automation.Pump();
                    double now = 0.0;
                    parameters.GetParameterNormalizedValue(identifier, &now);
                    held[index].insert(now);
                }
            }
        });
    std::thread dispatcher(
        [&]
        {
            while (!go.load())
                std::this_thread::yield();
            for (int64_t round = 0; round < rounds; ++round)
            {
                while (roundsStarted.load() <= round && roundsStarted.load() < rounds)
                    std::this_thread::yield();
                const AAX_Result result = parameters.GenerateCoefficients();
                dispatchesDone = round + 1;
                if (result != kResultSuccess)
                {
                    ++failedDispatches;
                    lastFailure = result;
                }
            }
        });
    go = true;
    setter.join();
    dispatcher.join();
    return {failedDispatches.load(), lastFailure.load()};
}

// Fails the check for every packet from `start` on that is inconsistent (one report with
// the first); gives how many were, and the last packet of each field.
size_t CheckPackets(CheckContext& context, const PacketLayout& layout,
                    const std::vector<HostController::Packet>& packets, size_t start,
                    const std::vector<std::string>& identifiers, const HeldValues& held,
                    std::map<AAX_CFieldIndex, const HostController::Packet*>& last)
{
    size_t faults = 0;
    std::string firstFault;
    for (size_t i = start; i < packets.size(); ++i)
    {
        last[packets[i].field] = &packets[i];
        const std::string fault = PacketFault(layout, packets[i], identifiers, held);
        if (fault.empty()) continue;
        if (faults++ == 0) firstFault = fault;
    }
    if (faults > 0)
        context.Fail(std::to_string(faults) + " of " + std::to_string(packets.size() - start) +
                     " packets inconsistent; the first: " + firstFault);
    return faults;
}

// After the last dispatch, what the processing side holds must be the final values: fails
// the check for each field of one parameter whose last packet does not hold it.
size_t CheckFinalValues(CheckContext& context, const PacketLayout& layout,
                        AAX_IACFEffectParameters& parameters,
                        const std::map<AAX_CFieldIndex, const HostController::Packet*>& last)
{
    size_t faults = 0;
    for (const auto& [fieldIndex, field] : layout.Fields())
    {
        if (field.identifiers.size() != 1) continue;
        const auto found = last.find(fieldIndex);
        double final = 0.0;
        parameters.GetParameterNormalizedValue(field.identifiers.front().c_str(), &final);
        double decoded = 0.0;
        if (found != last.end() &&
            PacketLayout::Decode(field.encoding, found->second->bytes, &decoded) &&
            PacketLayout::Carries(field.encoding, decoded, final))
            continue;
        ++faults;
        context.Fail("the last packet of field " + std::to_string(fieldIndex) + " does not hold " +
                     field.identifiers.front() + "'s final value " + ExactDigits(final));
    }
    return faults;
}
} // namespace

void ThreadCheck::Run(CheckContext& context)
{
    std::unique_ptr<CheckSession> session;
    std::unique_ptr<CheckedInstance> instance;
    if (!CheckSession::Start(context, &session, &instance)) return;
    std::string error;

    PacketLayout layout;
    if (!layout.Learn(context, *instance, &error)) return context.Fail(error);
    if (layout.Fields().empty()) context.Info("the plug-in posts no packets");

    const std::vector<std::string> identifiers = instance->Identifiers();
    const int64_t rounds = context.Scaled(kRounds);
    // Drawn here: the context's generator belongs to this thread.
    std::vector<double> values(static_cast<size_t>(rounds) * identifiers.size());
    for (double& value : values)
        value = context.UniformUnit();
    AAX_IACFEffectParameters& parameters = instance->Parameters();
    HeldValues held = StartingValues(parameters, identifiers);

    const HostController& controller = instance->Controller();
    const size_t start = controller.Packets().size();
    const DispatchFailures failed =
        RunBothThreads(context, *instance, identifiers, values, rounds, held);

    context.Progress("generating the coefficients of the final values");
    parameters.GenerateCoefficients();
    if (failed.count > 0)
        context.Fail(std::to_string(failed.count) +
                     " GenerateCoefficients calls failed, the last with " +
                     std::to_string(failed.last));

    context.Progress("reading the packets");
    const std::vector<HostController::Packet> packets = controller.Packets();
    std::map<AAX_CFieldIndex, const HostController::Packet*> last;
    size_t faults = CheckPackets(context, layout, packets, start, identifiers, held, last);
    faults += CheckFinalValues(context, layout, parameters, last);
    context.Info(std::to_string(packets.size() - start) + " packets from " +
                 std::to_string(rounds) + " rounds on each thread");
    if (faults == 0) return;
    context.SaveArtifact("threads-packets.txt", PacketLogText(packets, start));
    instance->SaveEvidence(context, "threads-final");
}

} // namespace orv::host::validator
