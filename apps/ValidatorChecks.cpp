#include "ValidatorChecks.h"

#include "CheckList.h"

namespace orv::apps
{

std::vector<std::unique_ptr<host::validator::ValidationCheck>> ValidatorChecks()
{
    return host::validator::HostChecks();
}

} // namespace orv::apps
