#pragma once

#include <string>
#include <vector>

#include "AAX.h"

namespace orv::test
{

// What one wrapper operation answered, under the name the reference host logs it by. Keeping
// the name beside the call means a table of names cannot drift out of step with the calls.
struct OperationAnswer
{
    std::string operation;
    AAX_Result result;
};

// The operations in the order they were called, to set beside a host's log.
inline std::vector<std::string> Operations(const std::vector<OperationAnswer>& answers)
{
    std::vector<std::string> names;
    for (const OperationAnswer& answer : answers)
        names.push_back(answer.operation);
    return names;
}

} // namespace orv::test
