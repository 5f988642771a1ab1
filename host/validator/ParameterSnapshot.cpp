#include "ParameterSnapshot.h"

#include <cmath>
#include <map>

#include "CheckedInstance.h"
#include "EvidenceText.h"

namespace orv::host::validator
{
namespace
{
bool SameAtFloatPrecision(double a, double b)
{
    return static_cast<float>(a) == static_cast<float>(b) || (std::isnan(a) && std::isnan(b));
}
} // namespace

ParameterSnapshot ParameterSnapshot::Capture(const CheckedInstance& instance)
{
    ParameterSnapshot snapshot;
    for (const std::string& identifier : instance.Identifiers())
    {
        double value = 0.0;
        const bool read = instance.Parameters().GetParameterNormalizedValue(
                              identifier.c_str(), &value) == kResultSuccess;
        snapshot.mEntries.push_back({identifier, value, read});
    }
    return snapshot;
}

std::string ParameterSnapshot::ToText() const
{
    std::string text;
    for (const Entry& entry : mEntries)
        text +=
            entry.identifier + "=" + (entry.read ? ExactDigits(entry.value) : "unreadable") + "\n";
    return text;
}

std::string ParameterSnapshot::Invalid() const
{
    std::string invalid;
    for (const Entry& entry : mEntries)
    {
        if (!entry.read)
            invalid += " " + entry.identifier + " unreadable;";
        else if (!std::isfinite(entry.value) || entry.value < 0.0 || entry.value > 1.0)
            invalid += " " + entry.identifier + "=" + ExactDigits(entry.value) + ";";
    }
    return invalid;
}

std::string ParameterSnapshot::Differences(const ParameterSnapshot& other,
                                           const std::string& ignore) const
{
    std::map<std::string, const Entry*> theirs;
    for (const Entry& entry : other.mEntries)
        theirs[entry.identifier] = &entry;
    std::string differences;
    for (const Entry& entry : mEntries)
    {
        if (entry.identifier == ignore) continue;
        const auto found = theirs.find(entry.identifier);
        if (found == theirs.end())
        {
            differences += " " + entry.identifier + " missing;";
            continue;
        }
        const Entry& their = *found->second;
        if (entry.read != their.read || !SameAtFloatPrecision(entry.value, their.value))
            differences += " " + entry.identifier + " " + ExactDigits(entry.value) + " against " +
                           ExactDigits(their.value) + ";";
        theirs.erase(found);
    }
    for (const auto& [identifier, entry] : theirs)
        if (identifier != ignore) differences += " " + identifier + " missing;";
    return differences;
}

} // namespace orv::host::validator
