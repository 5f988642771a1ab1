// The validator's view of one instance: set requests through the host, snapshots that
// compare at float precision, save and restore, and the evidence files.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "CheckContext.h"
#include "CheckSession.h"
#include "CheckedInstance.h"
#include "ParameterSnapshot.h"
#include "TempFolder.h"

namespace orv::test
{
namespace
{
using host::validator::CheckedInstance;
using host::validator::CheckSession;
using host::validator::ParameterSnapshot;

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(CheckedInstance, SetRestoreAndCompareThroughTheHost)
{
    std::string error;
    std::unique_ptr<CheckSession> session = CheckSession::Open(ORV_BUNDLE_DIR, &error);
    ASSERT_TRUE(session) << error;
    std::unique_ptr<CheckedInstance> first = session->CreateInstance(&error);
    std::unique_ptr<CheckedInstance> second = session->CreateInstance(&error);
    ASSERT_TRUE(first && second) << error;

    const std::vector<std::string> identifiers = first->Identifiers();
    ASSERT_EQ(identifiers.size(), 46u);
    EXPECT_EQ(identifiers.front(), "MasterBypassID");
    EXPECT_EQ(first->BypassIdentifier(), "MasterBypassID");

    const ParameterSnapshot fresh = ParameterSnapshot::Capture(*first);
    EXPECT_EQ(fresh.Differences(ParameterSnapshot::Capture(*second)), "");
    EXPECT_EQ(fresh.Invalid(), "");

    // The request only takes effect because the host pumps it.
    ASSERT_EQ(first->SetThroughHost("minfr", 0.25), kResultSuccess);
    double value = 0.0;
    first->Parameters().GetParameterNormalizedValue("minfr", &value);
    EXPECT_EQ(value, 0.25);
    EXPECT_TRUE(first->Automation().PendingRequests().empty());
    ASSERT_EQ(first->SetThroughHost("MasterBypassID", 1.0), kResultSuccess);
    const ParameterSnapshot changed = ParameterSnapshot::Capture(*first);
    EXPECT_EQ(changed.Differences(fresh), " MasterBypassID 1 against 0; minfr 0.25 against 0;");
    EXPECT_EQ(changed.Differences(fresh, "MasterBypassID"), " minfr 0.25 against 0;");

    // Save from one, restore into the other: equal except the bypass, which is not saved.
    host::HostChunk chunk;
    ASSERT_TRUE(first->Save(&chunk, &error)) << error;
    EXPECT_EQ(second->Restore(chunk), kResultSuccess);
    EXPECT_EQ(ParameterSnapshot::Capture(*second).Differences(changed),
              " MasterBypassID 0 against 1;");
    EXPECT_EQ(first->SetThroughHost("nosuch", 0.5), kResultInvalidParameterId);
}

TEST(CheckedInstance, EvidenceHoldsEveryValueExactlyAndTheChunk)
{
    TempFolder folder;
    std::string error;
    std::unique_ptr<CheckSession> session = CheckSession::Open(ORV_MODULE_FILE, &error);
    ASSERT_TRUE(session) << error;
    std::unique_ptr<CheckedInstance> instance = session->CreateInstance(&error);
    ASSERT_TRUE(instance) << error;
    instance->SetThroughHost("maxfr", 0.1);

    std::ostringstream report;
    host::validator::CheckContext::Settings settings;
    settings.artifactFolder = folder / "evidence";
    host::validator::CheckContext context(settings, "state", nullptr, report);
    instance->SaveEvidence(context, "sample");

    const std::string values = ReadFile(folder / "evidence/sample.values.txt");
    // Every digit, so the value can be set again exactly.
    EXPECT_NE(values.find("\nmaxfr=0.10000000149011612\n"), std::string::npos) << values;
    EXPECT_EQ(values.rfind("MasterBypassID=0\n", 0), 0u) << values;
    EXPECT_EQ(std::count(values.begin(), values.end(), '\n'), 46);
    host::HostChunk saved;
    ASSERT_TRUE(instance->Save(&saved, &error)) << error;
    const std::vector<unsigned char> bytes = saved.Serialize();
    EXPECT_EQ(ReadFile(folder / "evidence/sample.chunk"), std::string(bytes.begin(), bytes.end()));
    EXPECT_NE(report.str().find("sample.chunk"), std::string::npos) << report.str();
}

} // namespace
} // namespace orv::test
