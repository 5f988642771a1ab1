#pragma once

// A fresh folder under the system's temporary folder, removed with its contents.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sndfile.h>
#include <stdlib.h>
#include <unistd.h>

namespace companion::test
{

inline std::vector<std::string> namesIn(const std::filesystem::path& folder)
{
    std::vector<std::string> out;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        out.push_back(entry.path().filename().string());
    return out;
}

class TempFolder
{
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "orvqv-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

    std::vector<std::string> names() const { return namesIn(path_); }

private:
    std::filesystem::path path_;
};

// A TempFolder with a descriptor open on it, as the companion reaches a folder.
struct OpenTempFolder
{
    OpenTempFolder() : fd(::open(folder.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}
    ~OpenTempFolder() { ::close(fd); }
    OpenTempFolder(const OpenTempFolder&) = delete;
    OpenTempFolder& operator=(const OpenTempFolder&) = delete;
    TempFolder folder;
    int fd;
};

inline std::string readBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// Writes a WAV file with libsndfile in the given format.
inline void writeWav(const std::filesystem::path& path, const std::vector<float>& samples, int rate,
                     int format = SF_FORMAT_WAV | SF_FORMAT_FLOAT, int channels = 1)
{
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    sf_write_float(file, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(file);
}

inline std::vector<float> readWav(const std::filesystem::path& path, SF_INFO& info)
{
    info = SF_INFO{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) return {};
    std::vector<float> samples(static_cast<size_t>(info.frames * info.channels));
    sf_read_float(file, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(file);
    return samples;
}

} // namespace companion::test
