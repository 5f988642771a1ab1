#include "ValidatorChecks.h"

#include "CheckList.h"
#include "EditorCheck.h"

namespace orv::apps
{

std::vector<std::unique_ptr<host::validator::ValidationCheck>> ValidatorChecks()
{
    std::vector<std::unique_ptr<host::validator::ValidationCheck>> checks =
        host::validator::HostChecks();
    // Checks that live in apps/ follow here, in the order they run.
    checks.push_back(std::make_unique<EditorCheck>());
    return checks;
}

} // namespace orv::apps
