#pragma once

#include <string>

namespace orv::host::validator
{

// A fresh folder under the system's temporary folder, removed with everything in it when
// the object goes. Path() is empty when none could be made.
class TemporaryFolder
{
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& Path() const { return mPath; }
    std::string operator/(const std::string& name) const { return mPath + "/" + name; }

private:
    std::string mPath;
};

} // namespace orv::host::validator
