#include "document/AtomicFile.h"

#include "document/ProgramDir.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

void (*CAtomicFile::s_beforeRename)(const char*) = nullptr;

namespace {

const char kSaveMark[] = ".glimmerbox-save-";

std::string DirOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

// Follows symbolic links to the file a save must replace, even when the last
// link points at nothing yet. "" and errno set on a loop or a bad link.
std::string FollowLinks(std::string path)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        char target[PATH_MAX];
        ssize_t length = readlink(path.c_str(), target, sizeof target - 1);
        if (length < 0)
            return "";
        target[length] = '\0';
        path = target[0] == '/' ? std::string(target) : DirOf(path) + target;
    }
    errno = ELOOP;
    return "";
}

mode_t NewFileMode()
{
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

CAtomicFile::CAtomicFile(const std::string& path)
{
    if (path.empty()) {
        std::string why;
        ProgramDir(&why);
        Fail(why);
        return;
    }
    m_target = FollowLinks(path);
    if (m_target.empty()) {
        Fail(std::strerror(errno));
        return;
    }
    struct stat old {};
    bool exists = stat(m_target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        Fail("it is not a regular file");
        return;
    }
    m_tempPath = m_target + kSaveMark + std::to_string(getpid()) + "-XXXXXX";
    int fd = mkstemp(m_tempPath.data());
    if (fd < 0) {
        m_tempPath.clear();
        Fail(std::strerror(errno));
        return;
    }
    fchmod(fd, exists ? (old.st_mode & 07777) : NewFileMode());
    // Root saving someone else's show must not take the file from them.
    if (exists && (old.st_uid != geteuid() || old.st_gid != getegid()) && fchown(fd, old.st_uid, old.st_gid) == 0)
        fchmod(fd, old.st_mode & 07777);  // chown clears set-id bits
    m_stream = fdopen(fd, "w");
    if (m_stream == nullptr) {
        Fail(std::strerror(errno));
        close(fd);
    }
}

CAtomicFile::~CAtomicFile()
{
    if (m_stream != nullptr)
        fclose(m_stream);
    if (!m_committed && !m_tempPath.empty())
        unlink(m_tempPath.c_str());
}

bool CAtomicFile::Fail(const std::string& why)
{
    if (m_error.empty())
        m_error = why;
    return false;
}

bool CAtomicFile::Commit()
{
    if (m_stream == nullptr)
        return Fail("nothing was written");
    errno = 0;
    bool ok = fflush(m_stream) == 0 && !ferror(m_stream) && fsync(fileno(m_stream)) == 0;
    if (!ok)
        Fail(errno != 0 ? std::strerror(errno) : "write error");
    if (fclose(m_stream) != 0)
        ok = Fail(std::strerror(errno));
    m_stream = nullptr;
    if (!ok)
        return false;
    if (s_beforeRename != nullptr)
        s_beforeRename(m_tempPath.c_str());
    if (rename(m_tempPath.c_str(), m_target.c_str()) != 0)
        return Fail(std::strerror(errno));
    m_committed = true;
    // Make the rename itself durable.
    int dfd = open(DirOf(m_target).c_str(), O_RDONLY | O_DIRECTORY);
    if (dfd >= 0) {
        fsync(dfd);
        close(dfd);
    }
    return true;
}

std::string WhyNoSaveAt(const std::string& path)
{
    CAtomicFile probe(path);
    if (probe.Stream() != nullptr)
        return "";
    if (probe.Target().empty())
        return probe.Error();
    std::string folder = DirOf(probe.Target());
    if (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    struct stat st {};
    if (stat(folder.c_str(), &st) != 0)
        return "the folder " + folder + " does not exist";
    if (!S_ISDIR(st.st_mode))
        return folder + " is not a folder";
    if (access(folder.c_str(), W_OK | X_OK) != 0)
        return "the folder " + folder + " cannot be written";
    return probe.Error();
}

int RemoveStaleSaves(const std::string& dir)
{
    DIR* listing = opendir(dir.c_str());
    if (listing == nullptr)
        return 0;
    int removed = 0;
    while (const dirent* entry = readdir(listing)) {
        const char* mark = std::strstr(entry->d_name, kSaveMark);
        if (mark == nullptr)
            continue;
        char* end = nullptr;
        long pid = std::strtol(mark + sizeof kSaveMark - 1, &end, 10);
        if (pid <= 0 || *end != '-' || std::strlen(end + 1) != 6)
            continue;
        std::string path = dir + "/" + entry->d_name;
        struct stat st {};
        // A save still running in another console of this user is left alone.
        if (lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != geteuid() ||
            pid == getpid() || kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH)
            continue;
        if (unlink(path.c_str()) == 0)
            ++removed;
    }
    closedir(listing);
    return removed;
}
