#include "document/KeptCopies.h"

#include "document/ProgramDir.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t kStampLength = 19;  // 2026-12-09_21-14-03

std::string BaseName(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The order of a kept copy of `name` by its suffix; -1 for any other entry.
long long Order(const std::string& entry, const std::string& name)
{
    if (entry.size() < name.size() + 1 + kStampLength || entry.compare(0, name.size(), name) != 0 ||
        entry[name.size()] != '.')
        return -1;
    const char* stamp = entry.c_str() + name.size() + 1;
    int y, mo, d, h, mi, s, n = 1, used = 0;
    if (std::sscanf(stamp, "%4d-%2d-%2d_%2d-%2d-%2d%n", &y, &mo, &d, &h, &mi, &s, &used) != 6 ||
        used != static_cast<int>(kStampLength))
        return -1;
    const char* rest = stamp + kStampLength;
    if (*rest != '\0' && (std::sscanf(rest, "-%d%n", &n, &used) != 1 || rest[used] != '\0' || n < 2))
        return -1;
    return ((((((y * 100LL + mo) * 100 + d) * 100 + h) * 100 + mi) * 100 + s) * 100000) + n;
}

bool WriteAll(int fd, const std::string& bytes)
{
    for (size_t done = 0; done < bytes.size();) {
        ssize_t put = write(fd, bytes.data() + done, bytes.size() - done);
        if (put <= 0)
            return false;
        done += static_cast<size_t>(put);
    }
    return fsync(fd) == 0;
}

std::vector<std::pair<long long, std::string>> Listed(const std::string& dir, const std::string& name)
{
    std::vector<std::pair<long long, std::string>> found;
    DIR* listing = opendir(dir.c_str());
    if (listing == nullptr)
        return found;
    while (const dirent* entry = readdir(listing)) {
        long long order = Order(entry->d_name, name);
        if (order >= 0)
            found.emplace_back(order, dir + "/" + entry->d_name);
    }
    closedir(listing);
    std::sort(found.begin(), found.end());
    return found;
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& why, int* error, long long limit)
{
    bytes.clear();
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (error != nullptr)
            *error = fd < 0 ? errno : EINVAL;
        why = fd < 0 ? std::strerror(errno) : "it is not a regular file";
        if (fd >= 0)
            close(fd);
        return false;
    }
    char block[65536];
    for (ssize_t got; (got = read(fd, block, sizeof block)) != 0;) {
        if (got < 0 || static_cast<long long>(bytes.size()) + got > limit) {
            why = got < 0 ? std::strerror(errno) : "it is larger than any file of the console";
            if (error != nullptr)
                *error = got < 0 ? errno : EFBIG;
            close(fd);
            return false;
        }
        bytes.append(block, static_cast<size_t>(got));
    }
    close(fd);
    return true;
}

std::vector<std::string> KeptCopies(const std::string& name)
{
    std::string why;
    std::string dir = ProgramDir(&why);
    std::vector<std::string> paths;
    if (dir.empty())
        return paths;
    for (auto& [order, path] : Listed(dir + "/Backups", name))
        paths.push_back(path);
    return paths;
}

bool KeepOldCopy(const std::string& target, const std::string& content, std::string& why)
{
    std::string old;
    int error = 0;
    if (!ReadWholeFile(target, old, why, &error))
        return error == ENOENT;  // a first save has nothing to keep; an unreadable file is no copy
    if (old == content)
        return true;
    std::string dir = ProgramFolder("Backups", why);
    if (dir.empty())
        return false;
    const std::string name = BaseName(target);
    char stamp[32];
    std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", &local);
    std::string copy;
    int fd = -1;
    for (int n = 1; n < 1000 && fd < 0; ++n) {
        copy = dir + "/" + name + "." + stamp + (n > 1 ? "-" + std::to_string(n) : "");
        fd = open(copy.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        why = copy + ": " + std::strerror(errno);
        return false;
    }
    bool kept = WriteAll(fd, old);
    int writeError = errno;
    if (close(fd) != 0 && kept) {
        kept = false;
        writeError = errno;
    }
    if (!kept) {
        unlink(copy.c_str());
        why = copy + ": " + std::strerror(writeError);
        return false;
    }
    auto copies = Listed(dir, name);
    for (size_t i = 0; i + kKeptCopies < copies.size(); ++i) {
        struct stat st {};
        if (lstat(copies[i].second.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == geteuid())
            unlink(copies[i].second.c_str());
    }
    return true;
}
