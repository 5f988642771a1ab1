#include "ParameterFuzzCheck.h"

#include <cmath>
#include <limits>
#include <set>

#include "CheckContext.h"
#include "CheckSession.h"
#include "CheckedInstance.h"
#include "EvidenceText.h"
#include "HostString.h"
#include "ParameterSnapshot.h"

namespace orv::host::validator
{
namespace
{
using EventKind = HostAutomationDelegate::EventKind;

// Long enough to overrun any fixed identifier buffer a plug-in might keep.
constexpr size_t kLongGarbageLength = 4096;

bool InUnitRange(double value)
{
    return std::isfinite(value) && value >= 0.0 && value <= 1.0;
}

bool SameAtFloatPrecision(double a, double b)
{
    return static_cast<float>(a) == static_cast<float>(b);
}

std::string ResultFault(const char* call, AAX_Result result)
{
    return std::string(call) + " returned " + std::to_string(result);
}

// Identifiers a host could send by mistake that the plug-in does not have: each real one with
// its last byte changed, one byte longer and one byte shorter, skipping any that happen to
// name another parameter.
std::vector<std::string> NearMisses(const std::vector<std::string>& identifiers)
{
    const std::set<std::string> real(identifiers.begin(), identifiers.end());
    std::vector<std::string> misses;
    for (const std::string& identifier : identifiers)
    {
        if (identifier.empty()) continue;
        std::string changed = identifier;
        changed.back() = static_cast<char>(changed.back() ^ 0x01);
        std::string longer = identifier + "x";
        std::string shorter = identifier.substr(0, identifier.size() - 1);
        for (std::string* candidate : {&changed, &longer, &shorter})
            if (!candidate->empty() && real.count(*candidate) == 0) misses.push_back(*candidate);
    }
    return misses;
}
} // namespace

void ParameterFuzzCheck::Run(CheckContext& context)
{
    std::unique_ptr<CheckSession> session;
    std::unique_ptr<CheckedInstance> instance;
    if (!CheckSession::Start(context, &session, &instance)) return;

    const std::vector<std::string> identifiers = instance->Identifiers();
    if (identifiers.empty()) return context.Fail("the plug-in has no parameters");
    const int64_t randomCount = context.Scaled(kRandomValuesPerParameter);
    const double kNaN = std::numeric_limits<double>::quiet_NaN();
    const double kInfinity = std::numeric_limits<double>::infinity();
    const double outOfRange[] = {-0.25, 1.5, kNaN, kInfinity, -kInfinity};

    int64_t valuesSent = 0;
    for (const std::string& identifier : identifiers)
    {
        std::vector<double> values = {0.0, 1.0};
        for (int64_t i = 0; i < randomCount; ++i)
            values.push_back(context.UniformUnit());
        std::string fault;
        for (size_t i = 0; i < values.size() && fault.empty(); ++i, ++valuesSent)
            fault = CheckValue(context, *instance, identifier, values[i], true);
        for (size_t i = 0; i < std::size(outOfRange) && fault.empty(); ++i, ++valuesSent)
            fault = CheckValue(context, *instance, identifier, outOfRange[i], false);
        if (fault.empty()) continue;
        // One report per parameter: the first fault says enough, the rest would repeat it.
        context.Fail(identifier + ": " + fault);
        instance->SaveEvidence(context, "parameter-fuzz-" + FileNamePart(identifier));
    }
    context.Info(std::to_string(valuesSent) + " values sent to " +
                 std::to_string(identifiers.size()) + " parameters");
    CheckUnknownIdentifiers(context, *instance, identifiers);
}

std::string ParameterFuzzCheck::CheckValue(CheckContext& context, CheckedInstance& instance,
                                           const std::string& identifier, double value,
                                           bool inRange)
{
    const char* id = identifier.c_str();
    AAX_IACFEffectParameters& parameters = instance.Parameters();
    HostAutomationDelegate& automation = instance.Automation();
    const std::string sent = " after a set request of " + ExactDigits(value);

    context.Progress("set request " + identifier + " = " + ExactDigits(value));
    const size_t requestsBefore = automation.Count(EventKind::SetRequest, identifier);
    AAX_Result result = parameters.SetParameterNormalizedValue(id, value);
    // A value outside 0..1 may be refused; it only must not leave an unsound value behind.
    if (inRange && result != kResultSuccess)
        return ResultFault("SetParameterNormalizedValue", result) + sent;
    if (inRange && automation.Count(EventKind::SetRequest, identifier) == requestsBefore)
        return "the set request of " + ExactDigits(value) + " never reached the host";
    context.Progress("host applies " + identifier + " = " + ExactDigits(value));
    automation.Pump();
    if (!automation.PendingRequests().empty())
        return "set requests still pending after the host's pump" + sent;

    context.Progress("reading " + identifier + sent);
    double held = 0.0;
    result = parameters.GetParameterNormalizedValue(id, &held);
    if (result != kResultSuccess) return ResultFault("GetParameterNormalizedValue", result) + sent;
    if (!InUnitRange(held)) return "holds " + ExactDigits(held) + sent;
    if (!inRange) return std::string();

    // The value it holds is one of its own: sending it again must not move it.
    context.Progress("set request " + identifier + " = its own value " + ExactDigits(held));
    instance.SetThroughHost(id, held);
    double again = 0.0;
    parameters.GetParameterNormalizedValue(id, &again);
    if (!SameAtFloatPrecision(again, held))
        return "moved from " + ExactDigits(held) + " to " + ExactDigits(again) +
               " when set to its own value" + sent;
    return CheckText(context, instance, identifier, held);
}

std::string ParameterFuzzCheck::CheckText(CheckContext& context, CheckedInstance& instance,
                                          const std::string& identifier, double held)
{
    const char* id = identifier.c_str();
    AAX_IACFEffectParameters& parameters = instance.Parameters();
    const int32 length = CheckedInstance::kValueTextLength;
    const std::string at = " at " + ExactDigits(held);

    context.Progress("text of " + identifier + at);
    HostString text;
    AAX_Result result = parameters.GetParameterValueString(id, &text, length);
    if (result != kResultSuccess) return ResultFault("GetParameterValueString", result) + at;
    HostString textOfValue;
    result = parameters.GetParameterStringFromValue(id, held, &textOfValue, length);
    if (result != kResultSuccess) return ResultFault("GetParameterStringFromValue", result) + at;
    if (textOfValue.Text() != text.Text())
        return "shows \"" + text.Text() + "\" but converts its value to \"" + textOfValue.Text() +
               "\"" + at;

    context.Progress("value of text \"" + text.Text() + "\" for " + identifier);
    double parsed = 0.0;
    result = parameters.GetParameterValueFromString(id, &parsed, text);
    if (result != kResultSuccess)
        return ResultFault("GetParameterValueFromString", result) + " for its own text \"" +
               text.Text() + "\"" + at;
    if (!InUnitRange(parsed))
        return "reads its text \"" + text.Text() + "\" as " + ExactDigits(parsed);

    context.Progress("text of " + identifier + " " + ExactDigits(parsed));
    HostString secondText;
    result = parameters.GetParameterStringFromValue(id, parsed, &secondText, length);
    if (result != kResultSuccess)
        return ResultFault("GetParameterStringFromValue", result) + " at " + ExactDigits(parsed);
    if (secondText.Text() != text.Text())
        return "text \"" + text.Text() + "\" reads as " + ExactDigits(parsed) +
               ", which shows as \"" + secondText.Text() + "\"";
    context.Progress("value of text \"" + secondText.Text() + "\" for " + identifier);
    double secondParsed = 0.0;
    result = parameters.GetParameterValueFromString(id, &secondParsed, secondText);
    if (result != kResultSuccess || !SameAtFloatPrecision(secondParsed, parsed))
        return "text \"" + secondText.Text() + "\" reads as " + ExactDigits(parsed) + ", then as " +
               ExactDigits(secondParsed) + " (result " + std::to_string(result) + ")";

    // The value read from the text, set as a host sets what a user typed, shows that text.
    context.Progress("set request " + identifier + " = " + ExactDigits(parsed) + " from text");
    instance.SetThroughHost(id, parsed);
    double typed = 0.0;
    HostString typedText;
    parameters.GetParameterNormalizedValue(id, &typed);
    parameters.GetParameterValueString(id, &typedText, length);
    if (!SameAtFloatPrecision(typed, parsed) || typedText.Text() != text.Text())
        return "set to " + ExactDigits(parsed) + " from its text \"" + text.Text() + "\", holds " +
               ExactDigits(typed) + " shown as \"" + typedText.Text() + "\"";
    return std::string();
}

void ParameterFuzzCheck::CheckUnknownIdentifiers(CheckContext& context, CheckedInstance& instance,
                                                 const std::vector<std::string>& identifiers)
{
    std::vector<std::string> unknown = NearMisses(identifiers);
    std::string garbage;
    for (size_t i = 0; i < kLongGarbageLength; ++i)
        garbage += static_cast<char>(1 + context.Random()() % 255);
    unknown.push_back(garbage);
    unknown.push_back(std::string());

    context.Progress("state before the unknown identifiers");
    const ParameterSnapshot before = ParameterSnapshot::Capture(instance);
    instance.Automation().ClearEvents();
    std::vector<const char*> sent = {nullptr};
    for (const std::string& identifier : unknown)
        sent.push_back(identifier.c_str());
    for (const char* identifier : sent)
    {
        context.Progress("unknown identifier " + PrintableIdentifier(identifier));
        const std::string faults = RefusalFaults(instance, identifier);
        if (!faults.empty())
            context.Fail("unknown identifier " + PrintableIdentifier(identifier) + ":" + faults);
    }
    context.Progress("host pumps after the unknown identifiers");
    instance.Automation().Pump();
    const ParameterSnapshot after = ParameterSnapshot::Capture(instance);
    const std::string changed = after.Differences(before);
    const size_t requests = instance.Automation().Count(EventKind::SetRequest);
    if (changed.empty() && requests == 0) return;
    context.Fail("unknown identifiers changed parameters:" + changed + " (" +
                 std::to_string(requests) + " set requests reached the host)");
    context.SaveArtifact("parameter-fuzz-unknown.before.values.txt", before.ToText());
    instance.SaveEvidence(context, "parameter-fuzz-unknown.after");
}

std::string ParameterFuzzCheck::RefusalFaults(CheckedInstance& instance, const char* identifier)
{
    AAX_IACFEffectParameters& parameters = instance.Parameters();
    const int32 length = CheckedInstance::kValueTextLength;
    double value = 0.0;
    int32 number = 0;
    HostString text;
    const HostString sample("0.5");
    const struct
    {
        const char* call;
        AAX_Result result;
    } calls[] = {
        {"GetParameterNormalizedValue", parameters.GetParameterNormalizedValue(identifier, &value)},
        {"SetParameterNormalizedValue", parameters.SetParameterNormalizedValue(identifier, 0.5)},
        {"SetParameterNormalizedRelative",
         parameters.SetParameterNormalizedRelative(identifier, 0.25)},
        {"UpdateParameterNormalizedValue",
         parameters.UpdateParameterNormalizedValue(identifier, 0.5, AAX_eUpdateSource_Unspecified)},
        {"UpdateParameterNormalizedRelative",
         parameters.UpdateParameterNormalizedRelative(identifier, 0.25)},
        {"GetParameterValueString", parameters.GetParameterValueString(identifier, &text, length)},
        {"GetParameterStringFromValue",
         parameters.GetParameterStringFromValue(identifier, 0.5, &text, length)},
        {"GetParameterValueFromString",
         parameters.GetParameterValueFromString(identifier, &value, sample)},
        {"GetParameterDefaultNormalizedValue",
         parameters.GetParameterDefaultNormalizedValue(identifier, &value)},
        {"GetParameterNumberOfSteps", parameters.GetParameterNumberOfSteps(identifier, &number)},
        {"GetParameterIndex", parameters.GetParameterIndex(identifier, &number)},
        {"TouchParameter", parameters.TouchParameter(identifier)},
        {"ReleaseParameter", parameters.ReleaseParameter(identifier)},
    };
    std::string faults;
    for (const auto& call : calls)
        if (call.result != kResultInvalidParameterId)
            faults +=
                " " + std::string(call.call) + " returned " + std::to_string(call.result) + ";";
    HostString name("unchanged");
    parameters.GetParameterName(identifier, &name);
    if (!name.Text().empty()) faults += " GetParameterName gave \"" + name.Text() + "\";";
    return faults;
}

} // namespace orv::host::validator
