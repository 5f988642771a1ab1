#pragma once

#include <sstream>
#include <string>

#include "CheckContext.h"
#include "ValidationCheck.h"

namespace orv::test
{

// Runs one check in this process as the validator's child would, keeping its report and the
// last step it announced, with evidence going to artifactFolder.
struct CheckRun
{
    std::ostringstream report;
    std::string lastStep;
    int failures = 0;

    CheckRun(host::validator::ValidationCheck& check, const std::string& modulePath,
             const std::string& artifactFolder, int strictness = 10, std::uint64_t seed = 1)
    {
        host::validator::CheckContext::Settings settings;
        settings.modulePath = modulePath;
        settings.artifactFolder = artifactFolder;
        settings.seed = seed;
        settings.strictness = strictness;
        host::validator::CheckContext context(
            settings, check.Name(), [this](const std::string& step) { lastStep = step; }, report);
        check.Run(context);
        failures = context.FailureCount();
    }
};

} // namespace orv::test
