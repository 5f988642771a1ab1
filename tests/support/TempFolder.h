#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace orv::test
{

// A fresh folder under the system's temporary folder, removed with everything in it when
// the object goes.
class TempFolder
{
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "orv-test-XXXXXX").string();
        if (::mkdtemp(pattern.data())) mPath = pattern;
    }
    ~TempFolder()
    {
        std::error_code ignored;
        if (!mPath.empty()) std::filesystem::remove_all(mPath, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return mPath; }
    std::string operator/(const std::string& name) const { return mPath + "/" + name; }

private:
    std::string mPath;
};

} // namespace orv::test
