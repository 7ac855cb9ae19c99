#include "document/ShowFileSave.h"

#include "document/AtomicFile.h"
#include "document/KeptCopies.h"
#include "document/Operator.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool CopyBytes(int from, int to)
{
    char block[65536];
    for (;;) {
        ssize_t got = read(from, block, sizeof block);
        if (got == 0)
            return fsync(to) == 0;
        if (got < 0)
            return false;
        for (ssize_t done = 0; done < got;) {
            ssize_t put = write(to, block + done, static_cast<size_t>(got - done));
            if (put <= 0)
                return false;
            done += put;
        }
    }
}

}  // namespace

std::string BackUpFile(const std::string& target, std::string& why)
{
    int from = open(target.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat st {};
    if (from < 0 || fstat(from, &st) != 0 || !S_ISREG(st.st_mode)) {
        why = std::string("no backup could be made (") + (from < 0 ? std::strerror(errno) : "not a regular file") + ")";
        if (from >= 0)
            close(from);
        return "";
    }
    std::string copy;
    int to = -1;
    for (int n = 1; n < 100 && to < 0; ++n) {
        copy = target + ".bak" + (n > 1 ? std::to_string(n) : "");
        to = open(copy.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, st.st_mode & 0777);
        if (to < 0 && errno != EEXIST)
            break;
    }
    bool copied = to >= 0 && CopyBytes(from, to);
    int error = errno;
    close(from);
    if (to >= 0 && close(to) != 0 && copied) {
        copied = false;
        error = errno;
    }
    if (copied)
        return copy;
    if (to >= 0)
        unlink(copy.c_str());
    why = std::string("no backup could be made (") + std::strerror(error) + ")";
    return "";
}

bool FormatToMemory(const std::function<void(FILE*)>& write, std::string& content)
{
    char* bytes = nullptr;
    size_t size = 0;
    FILE* memory = open_memstream(&bytes, &size);
    if (memory == nullptr)
        return false;
    write(memory);
    bool ok = std::fclose(memory) == 0;
    if (ok)
        content.assign(bytes, size);
    std::free(bytes);
    return ok;
}

namespace {

void Tell(IOperator* person, const std::string& text, const char* caption)
{
    if (person != nullptr)
        person->Message(text.c_str(), caption);
}

}  // namespace

bool SaveShowFile(const std::string& path, CFileCheck& check, IOperator* person, const CSaveText& text,
                  const std::function<void(FILE*)>& write)
{
    std::string failed = std::string(text.headline) + "\n" + (path.empty() ? "" : path + ": ");
    const bool sameFile = !path.empty() && path == check.path;
    if (sameFile && check.unreadable) {
        Tell(person, failed + "it could not be read when it was loaded (" + check.why + "), so it was not saved over.",
             "ERROR");
        return false;
    }
    CAtomicFile file(path);
    std::string backup, notKept;
    if (file.Stream() != nullptr && sameFile && check.leftOut > 0) {
        std::string why;
        backup = BackUpFile(file.Target(), why);
        if (backup.empty()) {
            Tell(person, failed + why + ".\nThe file on disk was not changed.", "ERROR");
            return false;
        }
    }
    if (file.Stream() != nullptr) {
        // Written to memory first, so the old file is kept only when the new one differs.
        std::string content;
        if (!FormatToMemory(write, content)) {
            write(file.Stream());
        } else {
            std::string why;
            if (!KeepOldCopy(file.Target(), content, why))
                notKept = why.empty() ? "no reason given" : why;
            std::fwrite(content.data(), 1, content.size(), file.Stream());
        }
    }
    if (!file.Commit()) {
        Tell(person, failed + file.Error() + ".\nThe file on disk was not changed.", "ERROR");
        return false;
    }
    // Told only once the save went through: a failed save says what matters.
    if (!notKept.empty())
        Tell(person, path + " was saved, but its previous content could not be kept in Backups (" + notKept + ").",
             "NOTICE");
    if (!backup.empty()) {
        Tell(person, path + " was saved without the " + std::to_string(check.leftOut) + " " + text.records +
                         " it could not hold.\nThe whole previous file is kept as " + backup + ".",
             "NOTICE");
        check.leftOut = 0;
    }
    return true;
}
