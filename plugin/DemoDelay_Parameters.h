#pragma once

#include "AAX_CEffectParameters.h"

// The plug-in's effect-parameters component: the 46 parameters, one packet per parameter
// besides the bypass, and the 'hmsg' message block. The host creates it through Create and
// owns it by reference counting.
class DemoDelay_Parameters : public AAX_CEffectParameters
{
public:
    // Room for the message, terminator included.
    static constexpr uint32 kMessageSize = 1000;
    static constexpr const char* kInitialMessage = "Par Init";

    DemoDelay_Parameters();
    ~DemoDelay_Parameters() override = default;

    // The create procedure of the effect's data model; the object starts with count 0.
    static AAX_CEffectParameters* Create();

    AAX_Result EffectInit() override;
    // 'hmsg': copies the message and its terminator into outData when it fits in dataSize
    // bytes; outDataSize receives the bytes needed either way. Other types:
    // kResultUnknownCustomData.
    AAX_Result GetCustomData(AAX_CTypeID dataBlockID, uint32 dataSize, void* outData,
                             uint32* outDataSize) const override;
    // 'hmsg': the block becomes the message, cut to what fits and always terminated.
    AAX_Result SetCustomData(AAX_CTypeID dataBlockID, uint32 dataSize, const void* data) override;

private:
    char mMessage[kMessageSize];
};
