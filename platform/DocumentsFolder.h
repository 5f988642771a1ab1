#pragma once

#include <string>
#include <vector>

namespace orv::platform
{

// The user's documents folders as file URLs ("file:///home/me/Documents/"), first preferred,
// each ending in a slash, with the bytes a URL cannot hold percent-escaped. On Linux this is
// the XDG documents folder (XDG_DOCUMENTS_DIR in $XDG_CONFIG_HOME/user-dirs.dirs, else
// $HOME/Documents), created if missing where its parent exists (never the parent itself);
// the list is empty when no home folder is known.
std::vector<std::string> UserDocumentFolderURLs();

} // namespace orv::platform
