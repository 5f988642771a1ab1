#include "UserOwnership.h"

#include <cstdio>
#include <vector>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

namespace companion
{

namespace
{
// Buffers for the reentrant lookups: the workers ask at once.
constexpr size_t kLookupBytes = 16384;

std::string octal(mode_t mode)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode & 07777));
    return text;
}
} // namespace

bool UserOwnership::isPrivateGroup(gid_t group)
{
    std::vector<char> buffer(kLookupBytes);
    passwd user{};
    passwd* foundUser = nullptr;
    if (::getpwuid_r(::geteuid(), &user, buffer.data(), buffer.size() / 2, &foundUser) != 0 ||
        !foundUser || user.pw_gid != group)
        return false;
    ::group entry{};
    ::group* foundGroup = nullptr;
    if (::getgrgid_r(group, &entry, buffer.data() + buffer.size() / 2, buffer.size() / 2,
                     &foundGroup) != 0 ||
        !foundGroup || std::string(entry.gr_name) != user.pw_name)
        return false;
    for (char** member = entry.gr_mem; member && *member; ++member)
        if (std::string(*member) != user.pw_name) return false;
    return true;
}

std::string UserOwnership::folderProblem(const struct stat& folder)
{
    const uid_t own = ::geteuid();
    if (folder.st_uid != own && folder.st_uid != 0)
        return "the folder belongs to another user (uid " + std::to_string(folder.st_uid) + ")";
    if (folder.st_mode & S_IWOTH)
        return "other users can write in the folder (mode " + octal(folder.st_mode) + ")";
    if ((folder.st_mode & S_IWGRP) && !isPrivateGroup(folder.st_gid))
        return "the folder's group (gid " + std::to_string(folder.st_gid) +
               ") can write in it and is not this user's own group (mode " + octal(folder.st_mode) +
               ")";
    return {};
}

std::string UserOwnership::fileProblem(const struct stat& file)
{
    if (file.st_uid == ::geteuid()) return {};
    return "the file belongs to another user (uid " + std::to_string(file.st_uid) + ")";
}

} // namespace companion
