#pragma once

#include <cstdlib>
#include <string>

namespace orv::test
{

// Sets PATH for one scope and puts the old value back, so that tests decide what a launch
// by name finds.
class ScopedPath
{
public:
    explicit ScopedPath(const std::string& value)
    {
        const char* old = std::getenv("PATH");
        mHad = old != nullptr;
        if (old) mOld = old;
        setenv("PATH", value.c_str(), 1);
    }
    ~ScopedPath()
    {
        if (mHad)
            setenv("PATH", mOld.c_str(), 1);
        else
            unsetenv("PATH");
    }
    ScopedPath(const ScopedPath&) = delete;
    ScopedPath& operator=(const ScopedPath&) = delete;

private:
    bool mHad = false;
    std::string mOld;
};

} // namespace orv::test
