#pragma once

// A small tmpfs mounted over a folder for the length of a test, to run out of space or turn
// read-only on purpose. Mounting needs privileges: mounted() says whether it worked.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include <sys/mount.h>

namespace companion::test
{

class ScratchMount
{
public:
    ScratchMount(const std::filesystem::path& where, size_t kib) : where_(where)
    {
        std::filesystem::create_directories(where_);
        const std::string options = "size=" + std::to_string(kib) + "k,mode=0755";
        mounted_ = ::mount("tmpfs", where_.c_str(), "tmpfs", 0, options.c_str()) == 0;
        if (!mounted_) error_ = std::strerror(errno);
    }
    ~ScratchMount()
    {
        if (mounted_) ::umount2(where_.c_str(), MNT_DETACH);
    }
    ScratchMount(const ScratchMount&) = delete;
    ScratchMount& operator=(const ScratchMount&) = delete;

    bool mounted() const { return mounted_; }
    const std::string& error() const { return error_; }
    bool makeReadOnly()
    {
        return ::mount(nullptr, where_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    std::filesystem::path where_;
    bool mounted_ = false;
    std::string error_;
};

} // namespace companion::test
