#pragma once

#include <map>
#include <string>
#include <vector>

#include "AAX.h"

namespace orv::host::validator
{

class CheckContext;
class CheckedInstance;

// Which packet fields each parameter posts, how large each field's packets are and how they
// hold the value, learned the way a host's processing side would see it: one parameter
// changed at a time, coefficients generated, the packets that arrive read. The value a packet
// holds is the parameter's normalized value as a 32-bit float, a 32-bit integer (switches)
// or a double.
class PacketLayout
{
public:
    enum class Encoding
    {
        Float32,
        Integer32,
        Float64,
    };
    struct Field
    {
        std::vector<std::string> identifiers;
        size_t size = 0;
        Encoding encoding = Encoding::Float32;
    };

    // Learns from instance (its host controller logs the packets). False with the fault
    // when a packet's size or contents tie it to no value (the instance's values change).
    bool Learn(CheckContext& context, CheckedInstance& instance, std::string* outError);

    // The field, or null when no parameter posts it.
    const Field* Find(AAX_CFieldIndex field) const;
    const std::map<AAX_CFieldIndex, Field>& Fields() const { return mFields; }

    // The value bytes hold in encoding; false when they are too short for it.
    static bool Decode(Encoding encoding, const std::vector<unsigned char>& bytes,
                       double* outValue);
    // Whether a packet holding decoded carries value (compared at the encoding's precision).
    static bool Carries(Encoding encoding, double decoded, double value);

private:
    std::map<AAX_CFieldIndex, Field> mFields;
};

} // namespace orv::host::validator
