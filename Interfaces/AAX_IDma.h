#pragma once

// Direct memory access of a real-time component; only its mode crosses to the host, when
// a component descriptor declares a DMA instance.
class AAX_IDma
{
public:
    enum EMode
    {
        eMode_Error = 0,
        eMode_Burst = 1,
        eMode_Gather = 2,
        eMode_Scatter = 3,
    };

    virtual ~AAX_IDma() = default;
};
