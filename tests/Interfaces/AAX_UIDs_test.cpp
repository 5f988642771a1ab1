#include "AAX_UIDs.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

const std::vector<const _acfUID*> kAllIdentifiers = {
    &IID_IACFUnknown,
    &IID_IACFPluginDefinition,
    &IID_IACFComponentDefinition,
    &IID_IACFComponentFactory,
    &IID_IAAXCollectionV1,
    &IID_IAAXEffectDescriptorV1,
    &IID_IAAXEffectDescriptorV2,
    &IID_IAAXComponentDescriptorV1,
    &IID_IAAXComponentDescriptorV2,
    &IID_IAAXPropertyMapV1,
    &IID_IAAXPropertyMapV2,
    &IID_IAAXHostServicesV1,
    &IID_IAAXHostServicesV2,
    &IID_IAAXControllerV1,
    &IID_IAAXControllerV2,
    &IID_IAAXTransportV1,
    &IID_IAAXTransportV2,
    &IID_IAAXAutomationDelegateV1,
    &IID_IAAXHostProcessorDelegateV1,
    &IID_IAAXHostProcessorDelegateV2,
    &IID_IAAXHostProcessorDelegateV3,
    &IID_IAAXViewContainerV1,
    &IID_IAAXViewContainerV2,
    &IID_IAAXEffectParametersV1,
    &IID_IAAXEffectParametersV2,
    &IID_IAAXEffectParametersV3,
    &IID_IAAXHostProcessorV1,
    &IID_IAAXHostProcessorV2,
    &IID_IAAXEffectGUIV1,
    &AAXCompID_AAXCollection,
    &AAXCompID_AAXEffectDescriptor,
    &AAXCompID_AAXComponentDescriptor,
    &AAXCompID_AAXPropertyMap,
    &AAXCompID_HostServices,
};

TEST(AAX_UIDs, EveryIdentifierIsDistinct)
{
    for (size_t i = 0; i < kAllIdentifiers.size(); ++i)
        for (size_t j = i + 1; j < kAllIdentifiers.size(); ++j)
            EXPECT_NE(*kAllIdentifiers[i], *kAllIdentifiers[j]) << i << " and " << j;
}

TEST(AAX_UIDs, EqualityLooksAtEveryByte)
{
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&IID_IAAXControllerV1);
    for (size_t i = 0; i < sizeof(_acfUID); ++i)
    {
        _acfUID changed = IID_IAAXControllerV1;
        reinterpret_cast<unsigned char*>(&changed)[i] = static_cast<unsigned char>(bytes[i] ^ 1);
        EXPECT_FALSE(changed == IID_IAAXControllerV1) << "byte " << i;
        EXPECT_TRUE(changed != IID_IAAXControllerV1) << "byte " << i;
    }
    _acfUID copy = IID_IAAXControllerV1;
    EXPECT_TRUE(copy == IID_IAAXControllerV1);
}

} // namespace
