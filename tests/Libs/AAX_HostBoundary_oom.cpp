// What the library does at the host boundary when memory runs out. This binary replaces the
// non-throwing operator new so a test can make it fail, which is why it is a binary of its own.

#include <gtest/gtest.h>

#include <atomic>
#include <new>
#include <stdexcept>
#include <string>

#include "AAX_CHostServices.h"
#include "AAX_HostBoundary.h"
#include "AAX_Init.h"
#include "ReferenceHost.h"

namespace
{
std::atomic<bool> sOutOfMemory{false};

// Runs out of memory for non-throwing allocations while alive.
class OutOfMemory
{
public:
    OutOfMemory() { sOutOfMemory = true; }
    ~OutOfMemory() { sOutOfMemory = false; }
};
} // namespace

// The standard's own nothrow form calls the throwing one; this one can also refuse outright.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    if (sOutOfMemory) return nullptr;
    try
    {
        return ::operator new(size);
    }
    catch (...)
    {
        return nullptr;
    }
}

// The library's entry points link against the plug-in's description; this binary has none.
AAX_Result GetEffectDescriptions(AAX_ICollection*)
{
    return kResultSuccess;
}

namespace
{

struct Owned
{
    int value = 7;
};

class HostBoundary : public ::testing::Test
{
protected:
    void TearDown() override { AAX_CHostServices::Set(nullptr); }
    orv::host::ReferenceHost host;
};

TEST_F(HostBoundary, AnOwnedObjectIsEmptyWhenMemoryRanOut)
{
    {
        OutOfMemory out;
        EXPECT_EQ(AAX_MakeOwned<Owned>(), nullptr);
    }
    const auto owned = AAX_MakeOwned<Owned>();
    ASSERT_NE(owned, nullptr);
    EXPECT_EQ(owned->value, 7);
}

TEST_F(HostBoundary, ServicesThatCannotBeMadeFailTheStartUpAndLeaveNothingInstalled)
{
    {
        OutOfMemory out;
        EXPECT_EQ(AAXStartup(host.Context()), kResultUnexpected);
    }
    EXPECT_EQ(AAX_CHostServices::Get(), nullptr);
    EXPECT_EQ(AAXStartup(host.Context()), kResultSuccess);
    EXPECT_NE(AAX_CHostServices::Get(), nullptr);
    EXPECT_EQ(AAXShutdown(host.Context()), kResultSuccess);
    EXPECT_EQ(AAX_CHostServices::Get(), nullptr);
}

TEST_F(HostBoundary, AGuardedCallAnswersWhatWasThrownWithAResultAndATraceLine)
{
    ASSERT_EQ(AAX_CHostServices::Set(host.Context()), kResultSuccess);
    EXPECT_EQ(AAX_GuardHostCall("Answer", [] { return kResultInvalidParameterId; }),
              kResultInvalidParameterId);
    EXPECT_EQ(AAX_GuardHostCall("Grow", []() -> AAX_Result { throw std::bad_alloc(); }),
              kResultUnexpected);
    EXPECT_EQ(AAX_GuardHostCall("Parse", []() -> AAX_Result { throw std::runtime_error("x"); }),
              kResultUnexpected);

    const auto traces = host.Services().TraceLog();
    ASSERT_EQ(traces.size(), 2u);
    EXPECT_EQ(traces[0].text, "Grow: out of memory");
    EXPECT_EQ(traces[1].text, "Parse: unexpected failure");
    EXPECT_EQ(traces[0].priority, AAX_eTracePriorityHost_High);
}

} // namespace
