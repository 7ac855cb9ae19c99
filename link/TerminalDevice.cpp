#include "link/TerminalDevice.h"

#include <cstdio>
#include <cstring>
#include <sys/sysmacros.h>

namespace {

constexpr int kMaxDrivers = 512;

// "name  /dev/path  major  minor[-last]  type"
bool LineCovers(const char* line, unsigned major, unsigned minor)
{
    unsigned lineMajor = 0, first = 0, last = 0;
    char range[32] = {};
    if (std::sscanf(line, "%*s %*s %u %31s", &lineMajor, range) != 2 || lineMajor != major)
        return false;
    int fields = std::sscanf(range, "%u-%u", &first, &last);
    if (fields < 1)
        return false;
    if (fields == 1)
        last = first;
    return minor >= first && minor <= last;
}

}  // namespace

bool IsTerminalDevice(dev_t device, const char* driverList)
{
    FILE* list = std::fopen(driverList, "re");
    if (list == nullptr)
        return true;
    unsigned major = ::major(device), minor = ::minor(device);
    bool found = false;
    char line[160];
    bool lineStart = true;
    for (int lines = 0; !found && lines < kMaxDrivers && std::fgets(line, sizeof line, list) != nullptr;) {
        // The tail of an overlong line is no line of its own.
        bool whole = std::strchr(line, '\n') != nullptr;
        if (lineStart) {
            found = LineCovers(line, major, minor);
            ++lines;
        }
        lineStart = whole;
    }
    std::fclose(list);
    return found;
}
