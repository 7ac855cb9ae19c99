#include "document/ProgramDir.h"

#include <cstdlib>
#include <sys/stat.h>

std::string ProgramDir()
{
    const char* home = std::getenv("GLIMMERBOX_HOME");
    std::string dir;
    if (home != nullptr && home[0] != '\0') {
        dir = home;
    } else {
        const char* user = std::getenv("HOME");
        dir = std::string(user != nullptr && user[0] != '\0' ? user : "/tmp") + "/GlimmerboxPlus";
    }
    mkdir(dir.c_str(), 0755);  // already there is fine
    return dir;
}

std::string ProgramPath(const char* name)
{
    if (name[0] == '/')
        return name;
    return ProgramDir() + "/" + name;
}
