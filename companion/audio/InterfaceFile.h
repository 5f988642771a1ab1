#pragma once

#include "ReplacementFile.h"

#include <memory>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace companion
{

// The interface file on disk, reached only through its directory's descriptor so that the
// file checked is the file read and replaced. The file must be a regular file and not a
// symbolic link. The replacement is written to a new file beside it (ReplacementFile) and
// renamed over it. Descriptors are owned and closed by this object; a replacement not
// committed is removed.
class InterfaceFile
{
public:
    InterfaceFile() = default;
    ~InterfaceFile();
    InterfaceFile(const InterfaceFile&) = delete;
    InterfaceFile& operator=(const InterfaceFile&) = delete;

    // Opens the directory; `key()` then names the file for per-file exclusion.
    bool openDirectory(const std::string& directory, const std::string& name, std::string& error);
    std::string key() const { return key_; }
    // Removes the temporaries that dead companions left in the folder; returns their names.
    std::vector<std::string> sweepStaleTemporaries() const;
    // Opens the file itself for reading.
    bool openFile(std::string& error);
    int fd() const { return fileFd_; }

    // Creates the temporary file beside the interface file, with its owner and permissions.
    bool createReplacement(std::string& error);
    int replacementFd() const { return replacement_ ? replacement_->fd() : -1; }
    // Renames the replacement over the interface file, if that is still the file opened.
    bool commitReplacement(std::string& error);

private:
    int dirFd_ = -1;
    int fileFd_ = -1;
    std::unique_ptr<ReplacementFile> replacement_;
    std::string name_;
    std::string key_;
    // The file as it was opened: the replacement takes its owner and permissions, and is
    // committed only while this is still the file under the name.
    struct stat opened_
    {
    };
};

} // namespace companion
