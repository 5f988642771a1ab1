#pragma once

#include <string>

namespace orv::platform
{

// The canonical form of an existing folder's path: absolute, every symbolic link resolved,
// no empty, "." or ".." component and no trailing slash ("/" stays "/"). False when the
// folder does not exist or is no folder.
bool CanonicalFolderPath(const std::string& folder, std::string& outCanonical);

// Removes a symbolic link standing at path, so that a file created there next is a file of
// its own and not the link's target. True when no link stands at path afterwards (nothing
// there, or a file that is not a link, counts as true).
bool RemoveLinkAt(const std::string& path);

// Makes path a file only its owner can read or write before anything is written to it:
// created with mode 0600 (the umask may narrow it further) when missing, never through a
// symbolic link, and an existing regular file narrowed to at most 0600 (anything else, a
// device, keeps its mode). False when it cannot be opened for writing.
bool MakePrivateFile(const std::string& path);

} // namespace orv::platform
