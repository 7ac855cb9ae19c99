#include "document/AtomicFile.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

void (*CAtomicFile::s_beforeRename)(const char*) = nullptr;

CAtomicFile::CAtomicFile(const std::string& path) : m_path(path)
{
    m_tempPath = path + ".XXXXXX";
    int fd = mkstemp(m_tempPath.data());
    if (fd < 0) {
        m_tempPath.clear();
        return;
    }
    fchmod(fd, 0644);
    m_stream = fdopen(fd, "w");
    if (m_stream == nullptr) {
        close(fd);
        unlink(m_tempPath.c_str());
        m_tempPath.clear();
    }
}

CAtomicFile::~CAtomicFile()
{
    if (m_stream != nullptr)
        fclose(m_stream);
    if (!m_committed && !m_tempPath.empty())
        unlink(m_tempPath.c_str());
}

bool CAtomicFile::Commit()
{
    if (m_stream == nullptr)
        return false;
    bool ok = fflush(m_stream) == 0 && !ferror(m_stream) && fsync(fileno(m_stream)) == 0;
    ok = (fclose(m_stream) == 0) && ok;
    m_stream = nullptr;
    if (!ok)
        return false;
    if (s_beforeRename != nullptr)
        s_beforeRename(m_tempPath.c_str());
    if (rename(m_tempPath.c_str(), m_path.c_str()) != 0)
        return false;
    m_committed = true;
    // Make the rename itself durable.
    std::string dir = m_path.substr(0, m_path.find_last_of('/') + 1);
    int dfd = open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (dfd >= 0) {
        fsync(dfd);
        close(dfd);
    }
    return true;
}
