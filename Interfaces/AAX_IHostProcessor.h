#pragma once

#include "AAX_IACFHostProcessor.h"
#include "AAX_IComponent.h"

// An offline processing component: the host-facing host-processor interface joined with the
// reference-counted component base; every processor answers its own interface identifiers.
class AAX_IHostProcessor : public AAX_IComponent<AAX_IACFHostProcessor_V2>
{
public:
    ~AAX_IHostProcessor() override = default;
};
