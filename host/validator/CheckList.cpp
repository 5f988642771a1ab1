#include "CheckList.h"

#include "EditorCheck.h"
#include "LifecycleCheck.h"
#include "OfflineCheck.h"
#include "ParameterFuzzCheck.h"
#include "ParameterTableCheck.h"
#include "ScanCheck.h"
#include "StateCheck.h"
#include "ThreadCheck.h"

namespace orv::host::validator
{

std::vector<std::unique_ptr<ValidationCheck>> HostChecks()
{
    std::vector<std::unique_ptr<ValidationCheck>> checks;
    checks.push_back(std::make_unique<ScanCheck>());
    checks.push_back(std::make_unique<LifecycleCheck>());
    checks.push_back(std::make_unique<ParameterTableCheck>());
    checks.push_back(std::make_unique<ParameterFuzzCheck>());
    checks.push_back(std::make_unique<StateCheck>());
    checks.push_back(std::make_unique<ThreadCheck>());
    checks.push_back(std::make_unique<OfflineCheck>());
    checks.push_back(std::make_unique<EditorCheck>());
    return checks;
}

} // namespace orv::host::validator
