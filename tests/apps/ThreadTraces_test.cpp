#include "ThreadTraces.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "HostServices.h"
#include "ReferenceHost.h"

using orv::apps::ThreadTraces;

namespace
{

using Texts = std::vector<std::string>;

TEST(ThreadTraces, OnlyTheThreadsOwnTracesSinceItWasMade)
{
    orv::host::ReferenceHost host;
    orv::host::HostServices& services = host.Services();
    services.Trace(1, "before");
    const ThreadTraces mine(services);
    services.Trace(1, "mine");

    Texts theirs;
    std::thread other(
        [&services, &theirs]
        {
            const ThreadTraces own(services);
            services.Trace(1, "theirs");
            theirs = own.Texts();
        });
    other.join();
    services.Trace(2, "mine too");

    EXPECT_EQ(mine.Texts(), (Texts{"mine", "mine too"}));
    EXPECT_EQ(theirs, (Texts{"theirs"}));
    // A later capture on the same thread starts where the log then stands.
    const ThreadTraces later(services);
    EXPECT_TRUE(later.Texts().empty());
    services.Trace(1, "last");
    EXPECT_EQ(later.Texts(), (Texts{"last"}));
    EXPECT_EQ(services.TraceLog().size(), 5u);
}

} // namespace
