#include "AAX_CHostServices.h"

#include <gtest/gtest.h>

#include <string>

#include "AAX_IHostServices.h"
#include "ReferenceHost.h"

using orv::host::ReferenceHost;
using orv::host::ReferenceHostOptions;

namespace
{

// The installed services are module-wide: every test leaves them removed.
class AAX_CHostServicesTest : public ::testing::Test
{
protected:
    void TearDown() override { AAX_CHostServices::Set(nullptr); }
};

TEST_F(AAX_CHostServicesTest, TracesAreDroppedBeforeSetAndAfterRemoval)
{
    ReferenceHost host;
    EXPECT_EQ(AAX_CHostServices::Trace(AAX_eTracePriorityHost_High, "early %d", 1), kResultSuccess);
    EXPECT_TRUE(host.Factory().Requests().empty());

    AAX_CHostServices::Set(host.Context());
    EXPECT_EQ(AAX_CHostServices::Trace(AAX_eTracePriorityHost_High,
                                       "AAX_CChunkDataParser::GetChunkData ERROR: %s", "bad size"),
              kResultSuccess);
    AAX_CHostServices::Set(nullptr);
    EXPECT_EQ(AAX_CHostServices::Get(), nullptr);
    EXPECT_EQ(AAX_CHostServices::Trace(AAX_eTracePriorityHost_Normal, "late"), kResultSuccess);

    const auto traces = host.Services().TraceLog();
    ASSERT_EQ(traces.size(), 1u);
    EXPECT_EQ(traces[0].priority, 0x08000000);
    EXPECT_EQ(traces[0].text, "AAX_CChunkDataParser::GetChunkData ERROR: bad size");
    // Removal released both versions: only the host and its factory hold the services now.
    EXPECT_EQ(host.Services().RefCount(), 2);
}

TEST_F(AAX_CHostServicesTest, ASecondSetKeepsTheFirstServices)
{
    ReferenceHost first, second;
    AAX_CHostServices::Set(first.Context());
    AAX_IHostServices* installed = AAX_CHostServices::Get();
    ASSERT_NE(installed, nullptr);

    AAX_CHostServices::Set(second.Context());
    EXPECT_EQ(AAX_CHostServices::Get(), installed);
    EXPECT_TRUE(second.Factory().Requests().empty());

    AAX_CHostServices::Trace(AAX_eTracePriorityHost_Low, "to %s", "first");
    EXPECT_EQ(first.Services().TraceLog().size(), 1u);
    EXPECT_TRUE(second.Services().TraceLog().empty());

    AAX_CHostServices::Set(nullptr);
    EXPECT_EQ(first.Services().RefCount(), 2);
    AAX_CHostServices::Set(nullptr); // nothing installed: ignored
    EXPECT_EQ(AAX_CHostServices::Get(), nullptr);
}

TEST_F(AAX_CHostServicesTest, ALongMessageIsCutToTheBuffer)
{
    ReferenceHost host;
    AAX_CHostServices::Set(host.Context());
    const std::string longText(2000, 'x');
    EXPECT_EQ(AAX_CHostServices::Trace(AAX_eTracePriorityHost_Normal, "<%s>", longText.c_str()),
              kResultSuccess);
    const auto traces = host.Services().TraceLog();
    ASSERT_EQ(traces.size(), 1u);
    ASSERT_EQ(traces[0].text.size(), size_t(AAX_CHostServices::kTraceBufferSize - 1));
    EXPECT_EQ(traces[0].text, "<" + longText.substr(0, 510));
}

TEST_F(AAX_CHostServicesTest, AHostWithoutServicesReportsNullObject)
{
    ReferenceHostOptions options;
    options.offerComponentFactory = false;
    ReferenceHost host(options);
    AAX_CHostServices::Set(host.Context());
    ASSERT_NE(AAX_CHostServices::Get(), nullptr);
    EXPECT_EQ(AAX_CHostServices::Trace(AAX_eTracePriorityHost_High, "nobody listens"),
              kResultNullObject);
}

} // namespace
