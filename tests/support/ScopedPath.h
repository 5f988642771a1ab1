#pragma once

#include <string>

#include "ScopedVariable.h"

namespace orv::test
{

// Sets PATH for one scope and puts the old value back, so that tests decide what a launch
// by name finds.
class ScopedPath : public host::validator::ScopedVariable
{
public:
    explicit ScopedPath(const std::string& value) : ScopedVariable("PATH", value) {}
};

} // namespace orv::test
