#include "CheckList.h"

namespace orv::host::validator
{

std::vector<std::unique_ptr<ValidationCheck>> HostChecks()
{
    std::vector<std::unique_ptr<ValidationCheck>> checks;
    return checks;
}

} // namespace orv::host::validator
