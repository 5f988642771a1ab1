#include "ValidatorChecks.h"

#include "CheckList.h"

namespace orv::apps
{

std::vector<std::unique_ptr<host::validator::ValidationCheck>> ValidatorChecks()
{
    std::vector<std::unique_ptr<host::validator::ValidationCheck>> checks =
        host::validator::HostChecks();
    // Checks that live in apps/ follow here, in the order they run.
    return checks;
}

} // namespace orv::apps
