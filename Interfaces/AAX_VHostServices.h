#pragma once

#include "AAX_IACFHostServices.h"
#include "AAX_IHostServices.h"
#include "ACFPtr.h"

// Forwards AAX_IHostServices to the host services that the host's component factory makes.
// Version 1 operations answer kResultNullObject without them, StackTrace answers
// kResultUnimplemented when the host makes only version 1.
class AAX_VHostServices : public AAX_IHostServices
{
public:
    // Asks host's component factory (host borrowed, may be null) for both versions; the
    // factory itself is not kept.
    explicit AAX_VHostServices(IACFUnknown* host);
    ~AAX_VHostServices() override = default;

    AAX_VHostServices(const AAX_VHostServices&) = delete;
    AAX_VHostServices& operator=(const AAX_VHostServices&) = delete;

    AAX_Result Assert(const char* file, int32 line, const char* note) override;
    AAX_Result Trace(int32 priority, const char* message) override;
    AAX_Result StackTrace(int32 tracePriority, int32 stackTracePriority,
                          const char* message) override;

private:
    // Declared in this order so that version 2 is released first.
    ACFPtr<AAX_IACFHostServices> mIHostServices;
    ACFPtr<AAX_IACFHostServices_V2> mIHostServicesV2;
};
