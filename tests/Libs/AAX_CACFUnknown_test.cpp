#include "CACFUnknown.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "AAX_Errors.h"
#include "AAX_UIDs.h"

namespace
{

constexpr _acfUID IID_ITestInterface = {
    0x5E1F0A93, 0x22C4, 0x4B71, {0x8D, 0x0C, 0x61, 0xF2, 0x3A, 0x9B, 0x40, 0x17}};

class ITestInterface : public IACFUnknown
{
public:
    virtual int32 Value() = 0;

protected:
    ~ITestInterface() = default;
};

// A component built the way the plug-in builds its own: the interface chain first, the
// component base second, the three root operations forwarded to the controlling unknown.
class TestComponent : public ITestInterface, public CACFUnknown
{
public:
    struct Events
    {
        int finalReleases = 0;
        int destructions = 0;
        bool finalReleaseBeforeDestruction = false;
    };

    explicit TestComponent(Events* events) : mEvents(events) {}
    ~TestComponent() override { ++mEvents->destructions; }

    ACFRESULT QueryInterface(const _acfUID& iid, void** out) override
    {
        return GetOuterIUnknown()->QueryInterface(iid, out);
    }
    acfUInt32 AddRef() override { return GetOuterIUnknown()->AddRef(); }
    acfUInt32 Release() override { return GetOuterIUnknown()->Release(); }
    int32 Value() override { return 42; }

    ACFRESULT InternalQueryInterface(const _acfUID& iid, void** out) override
    {
        if (out && iid == IID_ITestInterface)
        {
            *out = static_cast<ITestInterface*>(this);
            static_cast<ITestInterface*>(this)->AddRef();
            return ACF_OK;
        }
        return CACFUnknown::InternalQueryInterface(iid, out);
    }
    void FinalRelease() override
    {
        ++mEvents->finalReleases;
        mEvents->finalReleaseBeforeDestruction = mEvents->destructions == 0;
    }

private:
    Events* mEvents;
};

TEST(CACFUnknown, TheFirstQueryCountsOneAndTheLastReleaseDestroys)
{
    const int32 before = CACFUnknown::GetActiveObjectCount();
    TestComponent::Events events;
    auto* component = new TestComponent(&events);
    EXPECT_EQ(component->GetRefCount(), 0);
    EXPECT_EQ(CACFUnknown::GetActiveObjectCount(), before + 1);

    void* out = nullptr;
    ASSERT_EQ(component->QueryInterface(IID_IACFUnknown, &out), kResultSuccess);
    ASSERT_NE(out, nullptr);
    // The root interface is the private unknown, not the component's interface chain.
    EXPECT_NE(out, static_cast<void*>(
                       static_cast<IACFUnknown*>(static_cast<ITestInterface*>(component))));
    EXPECT_EQ(component->GetRefCount(), 1);

    auto* unknown = static_cast<IACFUnknown*>(out);
    EXPECT_EQ(unknown->AddRef(), 2u);
    EXPECT_EQ(unknown->Release(), 1u);
    EXPECT_EQ(events.destructions, 0);

    EXPECT_EQ(unknown->Release(), 0u);
    EXPECT_EQ(events.finalReleases, 1);
    EXPECT_EQ(events.destructions, 1);
    EXPECT_TRUE(events.finalReleaseBeforeDestruction);
    EXPECT_EQ(CACFUnknown::GetActiveObjectCount(), before);
}

TEST(CACFUnknown, QueriesAnswerKnownInterfacesAndFailOthersWithANullPointer)
{
    TestComponent::Events events;
    auto* component = new TestComponent(&events);

    void* out = nullptr;
    ASSERT_EQ(component->QueryInterface(IID_ITestInterface, &out), kResultSuccess);
    auto* test = static_cast<ITestInterface*>(out);
    EXPECT_EQ(test, static_cast<ITestInterface*>(component));
    EXPECT_EQ(test->Value(), 42);
    EXPECT_EQ(component->GetRefCount(), 1);

    // Through the private unknown the same interfaces are answered.
    void* root = nullptr;
    ASSERT_EQ(test->QueryInterface(IID_IACFUnknown, &root), kResultSuccess);
    void* again = nullptr;
    ASSERT_EQ(static_cast<IACFUnknown*>(root)->QueryInterface(IID_ITestInterface, &again),
              kResultSuccess);
    EXPECT_EQ(again, out);
    EXPECT_EQ(component->GetRefCount(), 3);

    _acfUID lastByteWrong = IID_ITestInterface;
    lastByteWrong.Data4[7] ^= 0x01;
    void* missing = &events; // anything non-null: the query must clear it
    EXPECT_EQ(test->QueryInterface(lastByteWrong, &missing), kResultNoInterface);
    EXPECT_EQ(missing, nullptr);
    missing = &events;
    EXPECT_EQ(test->QueryInterface(IID_IAAXControllerV1, &missing), kResultNoInterface);
    EXPECT_EQ(missing, nullptr);
    EXPECT_EQ(component->GetRefCount(), 3);

    static_cast<IACFUnknown*>(again)->Release();
    static_cast<IACFUnknown*>(root)->Release();
    EXPECT_EQ(events.destructions, 0);
    test->Release();
    EXPECT_EQ(events.destructions, 1);
}

TEST(CACFUnknown, ReleasingOneOfTwoObjectsLeavesOneActive)
{
    const int32 before = CACFUnknown::GetActiveObjectCount();
    TestComponent::Events firstEvents, secondEvents;
    auto* first = new TestComponent(&firstEvents);
    auto* second = new TestComponent(&secondEvents);
    EXPECT_EQ(CACFUnknown::GetActiveObjectCount(), before + 2);

    first->AddRef();
    second->AddRef();
    first->Release();
    EXPECT_EQ(firstEvents.destructions, 1);
    EXPECT_EQ(secondEvents.destructions, 0);
    EXPECT_EQ(CACFUnknown::GetActiveObjectCount(), before + 1);

    second->Release();
    EXPECT_EQ(CACFUnknown::GetActiveObjectCount(), before);
}

TEST(CACFUnknown, CountsStayExactUnderConcurrentAddRefAndRelease)
{
    TestComponent::Events events;
    auto* component = new TestComponent(&events);
    component->AddRef();

    constexpr int kThreads = 4;
    constexpr int kRounds = 20000;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back(
            [component]
            {
                for (int i = 0; i < kRounds; ++i)
                {
                    component->AddRef();
                    component->Release();
                }
            });
    for (auto& thread : threads)
        thread.join();

    EXPECT_EQ(component->GetRefCount(), 1);
    EXPECT_EQ(events.destructions, 0);
    component->Release();
    EXPECT_EQ(events.destructions, 1);
    EXPECT_EQ(events.finalReleases, 1);
}

TEST(CACFUnknown, InitializeInstanceSucceedsWithoutEffect)
{
    TestComponent::Events events;
    auto* component = new TestComponent(&events);
    EXPECT_EQ(component->InitializeInstance(nullptr), kResultSuccess);
    EXPECT_EQ(component->GetRefCount(), 0);
    component->AddRef();
    component->Release();
    EXPECT_EQ(events.destructions, 1);
}

} // namespace
