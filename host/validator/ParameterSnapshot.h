#pragma once

#include <string>
#include <vector>

namespace orv::host::validator
{

class CheckedInstance;

// The normalized values of every parameter of an instance at one moment, in index order:
// what the checks compare and what they leave as evidence.
class ParameterSnapshot
{
public:
    struct Entry
    {
        std::string identifier;
        double value;
        // False when the plug-in refused to give the value.
        bool read;
    };

    static ParameterSnapshot Capture(const CheckedInstance& instance);

    const std::vector<Entry>& Entries() const { return mEntries; }

    // One "identifier=value" line per parameter, with every digit of the value, so the values
    // can be set again exactly.
    std::string ToText() const;
    // A line naming each parameter that cannot be read or is not finite within 0..1; empty
    // when every value is sound.
    std::string Invalid() const;
    // A line naming each parameter whose value differs from other's at float precision (or
    // that only one of them has), skipping the identifier ignore; empty when they agree.
    std::string Differences(const ParameterSnapshot& other,
                            const std::string& ignore = std::string()) const;

private:
    std::vector<Entry> mEntries;
};

} // namespace orv::host::validator
