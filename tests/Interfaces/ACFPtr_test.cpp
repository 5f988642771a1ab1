#include "ACFPtr.h"

#include <gtest/gtest.h>

#include "AAX_Errors.h"
#include "IACFUnknown.h"

namespace
{

// A counted object that stays alive whatever its count, so tests can read the count.
class Counted : public IACFUnknown
{
public:
    ACFRESULT QueryInterface(const _acfUID&, void** out) override
    {
        AddRef();
        *out = this;
        return ACF_OK;
    }
    acfUInt32 AddRef() override { return ++count; }
    acfUInt32 Release() override { return --count; }
    void Touch() const {}

    acfUInt32 count = 0;
};

TEST(ACFPtr, AddsAReferenceForARawPointerAndReleasesItOnDestruction)
{
    Counted object;
    {
        ACFPtr<Counted> holder(&object);
        EXPECT_EQ(object.count, 1u);
        ACFPtr<Counted> copy(holder);
        EXPECT_EQ(object.count, 2u);
        ACFPtr<Counted> moved(std::move(copy));
        EXPECT_EQ(object.count, 2u);
        EXPECT_FALSE(copy);
        EXPECT_EQ(moved.get(), &object);
    }
    EXPECT_EQ(object.count, 0u);

    ACFPtr<Counted> empty(nullptr);
    EXPECT_FALSE(empty);
    EXPECT_EQ(empty.get(), nullptr);
}

TEST(ACFPtr, AssignmentReleasesTheOldReferenceAndKeepsSelfAssignmentSafe)
{
    Counted first, second;
    ACFPtr<Counted> holder(&first);
    holder = &second;
    EXPECT_EQ(first.count, 0u);
    EXPECT_EQ(second.count, 1u);

    ACFPtr<Counted>& alias = holder;
    holder = alias;
    EXPECT_EQ(second.count, 1u);

    ACFPtr<Counted> other(&first);
    holder = other;
    EXPECT_EQ(first.count, 2u);
    EXPECT_EQ(second.count, 0u);
    holder = nullptr;
    EXPECT_EQ(first.count, 1u);
}

TEST(ACFPtr, TakingTheAddressReleasesTheHeldPointerAndAdoptsTheFilledOne)
{
    Counted held, filled;
    ACFPtr<Counted> holder(&held);
    ASSERT_EQ(held.count, 1u);

    Counted** slot = &holder;
    EXPECT_EQ(held.count, 0u);
    EXPECT_EQ(*slot, nullptr);

    // As a callee does: the pointer arrives already counted.
    ASSERT_EQ(filled.QueryInterface(IID_IACFUnknown, reinterpret_cast<void**>(slot)), ACF_OK);
    EXPECT_EQ(filled.count, 1u);
    EXPECT_EQ(holder.get(), &filled);
    holder.Clear();
    EXPECT_EQ(filled.count, 0u);
}

TEST(ACFPtr, MemberAccessOnAnEmptyHolderThrowsTheNullPointerCode)
{
    ACFPtr<Counted> empty;
    const ACFPtr<Counted> constEmpty;
    try
    {
        empty->Touch();
        FAIL() << "no exception";
    }
    catch (int32 code)
    {
        EXPECT_EQ(code, kResultNullPointerAccess);
        EXPECT_EQ(static_cast<uint32>(code), 0x80000005u);
    }
    EXPECT_THROW(constEmpty->Touch(), int32);

    Counted object;
    const ACFPtr<Counted> full(&object);
    EXPECT_NO_THROW(full->Touch());
}

TEST(ACFPtr, AttachAdoptsAndDetachHandsOverWithoutCounting)
{
    Counted object;
    object.AddRef();
    {
        ACFPtr<Counted> holder;
        holder.Attach(&object);
        EXPECT_EQ(object.count, 1u);
        Counted* raw = holder.Detach();
        EXPECT_EQ(raw, &object);
        EXPECT_FALSE(holder);
        EXPECT_EQ(object.count, 1u);
    }
    EXPECT_EQ(object.count, 1u);
}

} // namespace
