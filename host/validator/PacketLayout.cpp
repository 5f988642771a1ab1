#include "PacketLayout.h"

#include <cstring>

#include "CheckContext.h"
#include "CheckedInstance.h"

namespace orv::host::validator
{
namespace
{
// Set while learning: a normalized value whose encodings differ from one another (0 would
// read the same in all three).
constexpr double kLearningValue = 1.0;
} // namespace

bool PacketLayout::Learn(CheckContext& context, CheckedInstance& instance, std::string* outError)
{
    auto fail = [outError](const std::string& message)
    {
        if (outError) *outError = message;
        return false;
    };
    mFields.clear();
    AAX_IACFEffectParameters& parameters = instance.Parameters();
    const HostController& controller = instance.Controller();
    // A new instance may hold packets from its start; they say nothing about one parameter.
    context.Progress("posting the packets pending from the start");
    parameters.GenerateCoefficients();

    for (const std::string& identifier : instance.Identifiers())
    {
        context.Progress("learning the packets of " + identifier);
        const size_t start = controller.Packets().size();
        parameters.UpdateParameterNormalizedValue(identifier.c_str(), kLearningValue,
                                                  AAX_eUpdateSource_Unspecified);
        parameters.GenerateCoefficients();
        double value = 0.0;
        parameters.GetParameterNormalizedValue(identifier.c_str(), &value);
        const std::vector<HostController::Packet> packets = controller.Packets();
        for (size_t i = start; i < packets.size(); ++i)
        {
            const HostController::Packet& packet = packets[i];
            Field& field = mFields[packet.field];
            field.identifiers.push_back(identifier);
            if (field.size != 0 && field.size != packet.bytes.size())
                return fail("field " + std::to_string(packet.field) + " posts " +
                            std::to_string(packet.bytes.size()) + " bytes for " + identifier +
                            " but " + std::to_string(field.size) + " for " +
                            field.identifiers.front());
            field.size = packet.bytes.size();
            bool known = false;
            for (Encoding encoding : {Encoding::Float32, Encoding::Integer32, Encoding::Float64})
            {
                double decoded = 0.0;
                if (!Decode(encoding, packet.bytes, &decoded) || !Carries(encoding, decoded, value))
                    continue;
                field.encoding = encoding;
                known = true;
                break;
            }
            if (!known)
                return fail("field " + std::to_string(packet.field) + " posted for " + identifier +
                            " holds none of the encodings of its value");
        }
    }
    return true;
}

const PacketLayout::Field* PacketLayout::Find(AAX_CFieldIndex field) const
{
    const auto found = mFields.find(field);
    return found == mFields.end() ? nullptr : &found->second;
}

bool PacketLayout::Decode(Encoding encoding, const std::vector<unsigned char>& bytes,
                          double* outValue)
{
    switch (encoding)
    {
    case Encoding::Float32:
    {
        float value = 0.0f;
        if (bytes.size() < sizeof value) return false;
        std::memcpy(&value, bytes.data(), sizeof value);
        *outValue = value;
        return true;
    }
    case Encoding::Integer32:
    {
        uint32 value = 0;
        if (bytes.size() < sizeof value) return false;
        std::memcpy(&value, bytes.data(), sizeof value);
        *outValue = value;
        return true;
    }
    case Encoding::Float64:
        if (bytes.size() < sizeof(double)) return false;
        std::memcpy(outValue, bytes.data(), sizeof(double));
        return true;
    }
    return false;
}

bool PacketLayout::Carries(Encoding encoding, double decoded, double value)
{
    if (encoding == Encoding::Float32) return static_cast<float>(value) == decoded;
    return decoded == value;
}

} // namespace orv::host::validator
