#include "CheckContext.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ostream>

namespace orv::host::validator
{
namespace
{

// FNV-1a: a fixed, portable mix of the check's name into the seed (std::hash may differ
// between library versions, which would break repeatability across machines).
std::uint64_t SeedFor(std::uint64_t seed, const std::string& name)
{
    std::uint64_t hash = 0xcbf29ce484222325ull ^ seed;
    for (unsigned char c : name)
    {
        hash ^= c;
        hash *= 0x100000001b3ull;
    }
    return hash;
}

} // namespace

CheckContext::CheckContext(Settings settings, std::string checkName,
                           std::function<void(const std::string&)> progress, std::ostream& report)
    : mSettings(std::move(settings)), mCheckName(std::move(checkName)),
      mProgress(std::move(progress)), mReport(report), mRandom(SeedFor(mSettings.seed, mCheckName))
{
}

double CheckContext::UniformUnit()
{
    return std::uniform_real_distribution<double>(0.0, 1.0)(mRandom);
}

std::int64_t CheckContext::Scaled(std::int64_t fullCount) const
{
    const int strictness = std::clamp(mSettings.strictness, 1, 10);
    return std::max<std::int64_t>(1, fullCount * strictness / 10);
}

void CheckContext::Progress(const std::string& step)
{
    if (mProgress) mProgress(step);
}

void CheckContext::Report(const std::string& line)
{
    std::lock_guard<std::mutex> lock(mReportMutex);
    mReport << line << std::endl;
}

void CheckContext::Fail(const std::string& message)
{
    ++mFailures;
    Report("  FAIL " + mCheckName + ": " + message);
}

void CheckContext::Info(const std::string& message)
{
    Report("  " + mCheckName + ": " + message);
}

std::string CheckContext::SaveArtifact(const std::string& fileName, const void* data,
                                       std::size_t size)
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::create_directories(mSettings.artifactFolder, error);
    const fs::path path = fs::path(mSettings.artifactFolder) / fileName;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (out) out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out)
    {
        Fail("cannot write evidence to " + path.string());
        return std::string();
    }
    Report("  " + mCheckName + ": evidence written to " + path.string());
    return path.string();
}

std::string CheckContext::SaveArtifact(const std::string& fileName, const std::string& text)
{
    return SaveArtifact(fileName, text.data(), text.size());
}

} // namespace orv::host::validator
