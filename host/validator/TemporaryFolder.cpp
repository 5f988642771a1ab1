#include "TemporaryFolder.h"

#include <cstdlib>
#include <filesystem>

namespace orv::host::validator
{

TemporaryFolder::TemporaryFolder()
{
    std::error_code error;
    const auto base = std::filesystem::temp_directory_path(error);
    std::string pattern = ((error ? std::filesystem::path("/tmp") : base) / "orv-XXXXXX").string();
    if (::mkdtemp(pattern.data())) mPath = pattern;
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code ignored;
    if (!mPath.empty()) std::filesystem::remove_all(mPath, ignored);
}

} // namespace orv::host::validator
