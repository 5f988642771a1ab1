#pragma once

#include "UniqueFd.h"

#include <string>
#include <string_view>

namespace companion
{

// The new content of a file, written beside it in the same folder and renamed over it only
// once complete. While it is written it has no name (O_TMPFILE), so a crash leaves nothing
// behind; where the file system has no unnamed files it is a hidden file named after the
// target, locked (flock) for as long as it is in use, so that a sweep can tell the
// temporaries of a dead process from live ones. Not committed, it is removed.
class ReplacementFile
{
public:
    enum class Kind
    {
        UnnamedFirst, // O_TMPFILE, a named file where that is not supported
        Named
    };

    // `dirFd` is the folder's descriptor, kept open by the caller for this object's life.
    ReplacementFile(int dirFd, std::string target, Kind kind = Kind::UnnamedFirst);
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Creates the file, writable, with mode 0600.
    bool create(std::string& error);
    int fd() const { return fd_.get(); }
    // True while the file has no name in the folder.
    bool unnamed() const { return fd_.valid() && !linked_; }
    // Gives the file a name if it has none and renames it over the target. The caller has
    // written and synced it.
    bool commit(std::string& error);
    void discard();

    // Temporaries are named ".<target>.tmp-<suffix>": the target of such a name, else empty.
    static std::string_view targetOf(std::string_view temporaryName);

private:
    bool createNamed(std::string& error);
    bool linkUnnamed(std::string& error);
    std::string nextName() const;

    int dirFd_;
    std::string target_;
    Kind kind_;
    UniqueFd fd_;
    std::string tempName_; // empty while the file has no name
    bool linked_ = false;
};

} // namespace companion
