#include "ScopedVariable.h"

#include <cstdlib>

namespace orv::host::validator
{

ScopedVariable::ScopedVariable(std::string name, const std::string& value)
    : ScopedVariable(std::move(name))
{
    ::setenv(mName.c_str(), value.c_str(), 1);
}

ScopedVariable::ScopedVariable(std::string name) : mName(std::move(name))
{
    const char* old = std::getenv(mName.c_str());
    mHad = old != nullptr;
    if (old) mOld = old;
    ::unsetenv(mName.c_str());
}

ScopedVariable::~ScopedVariable()
{
    if (mHad)
        ::setenv(mName.c_str(), mOld.c_str(), 1);
    else
        ::unsetenv(mName.c_str());
}

} // namespace orv::host::validator
