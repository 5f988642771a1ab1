#pragma once

#include <string>
#include <vector>

namespace companion
{

// Removes from a folder the temporaries that a companion died with (killed or crashed
// between naming its replacement file and renaming it): hidden files named after an
// interface file, that no live process holds locked. Files of other programs are never
// touched.
class StaleTemporarySweeper
{
public:
    // `dirFd` is the folder's descriptor; the names removed are returned.
    static std::vector<std::string> sweep(int dirFd);
};

} // namespace companion
