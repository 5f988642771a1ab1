#include "ProcessRequest.h"

#include "AAX_Errors.h"
#include "CarriedCount.h"
#include "CompanionProtocol.h"
#include "OfflineParameterIDs.h"

namespace ProcessRequest
{
namespace
{

constexpr double kSwitchThreshold = 0.5;

double Read(const AAX_IACFEffectParameters* parameters, AAX_CParamID id,
            AAX_Result* outResult = nullptr)
{
    double value = 0.0;
    const AAX_Result result =
        parameters ? parameters->GetParameterNormalizedValue(id, &value) : kResultNullObject;
    if (outResult) *outResult = result;
    return result == 0 ? value : 0.0;
}

} // namespace

Request Build(const AAX_IACFEffectParameters* parameters, float sampleRate,
              const std::string& inputPath)
{
    using namespace OfflineParameterIDs;
    using namespace CompanionProtocol;
    Request request;
    const int32 wanted = CountFromValue(Read(parameters, kToolCount));
    request.toolCount =
        wanted > CompanionProtocol::kMaxTools ? CompanionProtocol::kMaxTools : wanted;
    const int32 listed = request.toolCount < 1 ? 1 : request.toolCount;

    std::string& text = request.text;
    text = kProcessOpen;
    for (int32 i = 0; i < listed; ++i)
    {
        if (i > 0) text += kListSeparator;
        text += Read(parameters, kToolSwitch[i]) > kSwitchThreshold ? "true" : "false";
    }
    text += kListClose;
    text += CompanionProtocol::kPresetsOpen;
    for (int32 i = 0; i < listed; ++i)
    {
        if (i > 0) text += kListSeparator;
        text += std::to_string(CountFromValue(Read(parameters, kToolPreset[i])));
    }
    text += kListClose;

    const double low = Read(parameters, kRangeMin);
    const double high = Read(parameters, kRangeMax);
    const double check = Read(parameters, kRangeCheck, &request.rangeCheckResult);
    // Without the range switch: the whole band up to half the rate, in single precision.
    int32 rangeLow = 0;
    int32 rangeHigh = TruncateToInt32(sampleRate * 0.5f);
    if (check >= kSwitchThreshold)
    {
        rangeLow = CountFromValue(low, kFrequencyScale);
        rangeHigh = CountFromValue(high, kFrequencyScale);
    }
    text += kRangeLowKey + std::to_string(rangeLow) + kRangeHighKey + std::to_string(rangeHigh) +
            kInputKey + inputPath + kProcessClose + kLineEnd;
    return request;
}

} // namespace ProcessRequest
