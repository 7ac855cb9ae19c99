#include "document/ProgramDir.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string HomeDir()
{
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0')
        return home;
    // A service or a sudo -i session may run without HOME; a shared fallback
    // such as /tmp would let another user plant the show.
    struct passwd entry {};
    struct passwd* found = nullptr;
    char buffer[4096];
    if (getpwuid_r(geteuid(), &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr &&
        found->pw_dir != nullptr && found->pw_dir[0] != '\0')
        return found->pw_dir;
    return "";
}

// "" when `dir` is safe to read shows from and write them to.
std::string Refusal(const std::string& dir)
{
    struct stat st {};
    if (stat(dir.c_str(), &st) != 0)
        return std::string("it cannot be created (") + std::strerror(errno) + ")";
    if (!S_ISDIR(st.st_mode))
        return "it is not a directory";
    if (st.st_uid != geteuid())
        return "it belongs to another user (uid " + std::to_string(st.st_uid) + ")";
    if ((st.st_mode & S_IWOTH) != 0)
        return "other users can write to it";
    if ((st.st_mode & S_IWGRP) != 0 && st.st_gid != getegid())
        return "the group " + std::to_string(st.st_gid) + " can write to it";
    return "";
}

}  // namespace

std::string ProgramDir(std::string* why)
{
    const char* chosen = std::getenv("GLIMMERBOX_HOME");
    std::string dir;
    if (chosen != nullptr && chosen[0] != '\0') {
        dir = chosen;
    } else {
        std::string home = HomeDir();
        if (home.empty()) {
            if (why != nullptr)
                *why = "There is no program directory: this user has no home directory";
            return "";
        }
        dir = home + "/GlimmerboxPlus";
    }
    mkdir(dir.c_str(), 0755);  // already there is fine
    std::string refusal = Refusal(dir);
    if (refusal.empty())
        return dir;
    if (why != nullptr)
        *why = "The program directory " + dir + " cannot be used: " + refusal;
    return "";
}

std::string ProgramPath(const char* name)
{
    if (name[0] == '/')
        return name;
    std::string dir = ProgramDir();
    return dir.empty() ? std::string() : dir + "/" + name;
}

std::string ProgramFolder(const char* name, std::string& why)
{
    std::string dir = ProgramDir(&why);
    if (dir.empty())
        return "";
    dir += std::string("/") + name;
    if (mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST) {
        why = dir + ": " + std::strerror(errno);
        return "";
    }
    struct stat st {};
    if (lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != geteuid() || (st.st_mode & 022) != 0) {
        why = dir + " is not a folder of this user that only this user can write to";
        return "";
    }
    return dir;
}
