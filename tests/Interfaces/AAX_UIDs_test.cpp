#include "AAX_UIDs.h"

#include <gtest/gtest.h>

#include <iterator>
#include <vector>

namespace
{

const std::vector<const _acfUID*> kAllIdentifiers(std::begin(kAAX_ContractIDs),
                                                   std::end(kAAX_ContractIDs));

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
