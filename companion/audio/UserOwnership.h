#pragma once

#include <string>

#include <sys/stat.h>
#include <sys/types.h>

namespace companion
{

// What the companion will touch on its user's behalf: files of its own user, in folders no
// other user can write (so nobody else can swap the file it checked for another, or read a
// replacement while it is written). A folder may belong to the user or to root; it must have
// no write bit for others, and a write bit for its group only when that group is the user's
// own private group. "Its user" is the effective uid.
class UserOwnership
{
public:
    // Why another user could write in the folder, or empty when nobody but the user can.
    static std::string folderProblem(const struct stat& folder);
    // Why the file is not the user's, or empty when it is.
    static std::string fileProblem(const struct stat& file);
    // The group is the user's private group: the user's primary group, named after the user,
    // with no other member.
    static bool isPrivateGroup(gid_t group);
};

} // namespace companion
