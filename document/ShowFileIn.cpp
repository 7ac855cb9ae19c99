#include "document/ShowFileIn.h"

#include "document/LineReader.h"
#include "document/Operator.h"
#include "document/ProgramDir.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string NotRegular(mode_t mode)
{
    const char* kind = S_ISDIR(mode)                      ? "a directory"
                       : S_ISFIFO(mode)                   ? "a named pipe"
                       : S_ISCHR(mode) || S_ISBLK(mode)   ? "a device"
                       : S_ISSOCK(mode)                   ? "a socket"
                                                          : "something else";
    return std::string(kind) + ", not a regular file";
}

std::string TooLarge()
{
    return "larger than " + std::to_string(kShowFileMaxBytes >> 20) + " MB";
}

}  // namespace

CShowFileIn::CShowFileIn(const std::string& path, CFileCheck& check, IOperator* person)
    : m_check(check), m_person(person)
{
    m_check = CFileCheck{};
    std::snprintf(m_check.path, sizeof m_check.path, "%s", path.c_str());
    if (path.empty()) {
        std::string why;
        ProgramDir(&why);
        Refuse(why);
        return;
    }
    // Looked at before it is opened: opening a device or a pipe can block or
    // have effects of its own.
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT)
            m_missing = true;
        else
            Refuse(std::strerror(errno));
        return;
    }
    if (!S_ISREG(st.st_mode)) {
        Refuse(NotRegular(st.st_mode));
        return;
    }
    if (st.st_size > kShowFileMaxBytes) {
        Refuse(TooLarge());
        return;
    }
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        Refuse(std::strerror(errno));
        return;
    }
    // Swapped for something else since the look?
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        Refuse(S_ISREG(st.st_mode) ? std::string(std::strerror(errno)) : NotRegular(st.st_mode));
        close(fd);
        return;
    }
    m_file = fdopen(fd, "r");
    if (m_file == nullptr) {
        Refuse(std::strerror(errno));
        close(fd);
    }
}

CShowFileIn::~CShowFileIn()
{
    if (m_file != nullptr)
        std::fclose(m_file);
}

void CShowFileIn::Refuse(const std::string& why)
{
    m_check.unreadable = true;
    std::snprintf(m_check.why, sizeof m_check.why, "%s", why.c_str());
    if (m_person != nullptr)
        m_person->Message(UnreadableText(m_check).c_str(), "ERROR");
}

void CShowFileIn::Finish(const CLineReader& reader, int leftOut, const char* what, int capacity)
{
    if (m_file == nullptr)
        return;
    int error = std::ferror(m_file) ? (errno != 0 ? errno : EIO) : 0;
    std::fclose(m_file);
    m_file = nullptr;
    if (error != 0 || reader.Cut()) {
        Refuse(error != 0 ? std::string(std::strerror(error)) : TooLarge());
        return;
    }
    m_check.leftOut = leftOut;
    if (leftOut == 0 || m_person == nullptr)
        return;
    std::string text = std::string(m_check.path) + " holds " + std::to_string(leftOut) + " more " + what + " than the " +
                       std::to_string(capacity) + " the console can keep; they were left out.\n" +
                       "The whole file will be kept as a backup before it is next saved.";
    m_person->Message(text.c_str(), "NOTICE");
}

std::string UnreadableText(const CFileCheck& check)
{
    if (check.path[0] == '\0')
        return std::string(check.why) + ".";
    return "Cannot read " + std::string(check.path) + " (" + check.why +
           ").\nIt is left as it is: nothing will be saved over it.";
}

bool IsRegularFile(const std::string& path)
{
    struct stat st {};
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}
