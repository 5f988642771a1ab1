#pragma once

#include <string>

namespace orv::host::validator
{

// Sets (or, with no value, removes) one environment variable for a scope and puts the old
// state back when it ends, so a check or a test decides what the plug-in finds there
// (HOME for the documents folder, PATH for a launch by name). Not for use across threads.
class ScopedVariable
{
public:
    ScopedVariable(std::string name, const std::string& value);
    // Removes the variable for the scope.
    explicit ScopedVariable(std::string name);
    ~ScopedVariable();
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    std::string mName;
    bool mHad = false;
    std::string mOld;
};

} // namespace orv::host::validator
