#pragma once
// Every save goes to a temporary file beside the target, is flushed to disk and
// then renamed over the old file: a crash leaves the old file or the new one.
// A save through a symbolic link replaces the file the link points at, and the
// new file keeps the old one's permissions (a new file follows the umask).

#include <cstdio>
#include <string>

class CAtomicFile {
public:
    explicit CAtomicFile(const std::string& path);
    ~CAtomicFile();  // drops the temporary file unless Commit succeeded
    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;

    // Null when the temporary file could not be created.
    FILE* Stream() const { return m_stream; }
    // Flush, sync and rename into place; false (and the old file untouched) on any failure.
    bool Commit();
    // Why the save failed, in the system's words; "" while nothing failed.
    const std::string& Error() const { return m_error; }
    // The file the save replaces: the path with its symbolic links followed.
    const std::string& Target() const { return m_target; }

    // Tests call this between the written temporary file and the rename, to stand for a crash.
    static void (*s_beforeRename)(const char* tempPath);

private:
    bool Fail(const std::string& why);

    std::string m_target;
    std::string m_tempPath;
    std::string m_error;
    FILE* m_stream = nullptr;
    bool m_committed = false;
};

// Why a save of `path` could not even begin (its folder is missing or cannot be
// written, or the path names no regular file), as a phrase for the operator; ""
// when it could. Tries what a save tries first, the temporary file beside the
// target, and removes it at once: the file itself is never touched.
std::string WhyNoSaveAt(const std::string& path);

// Temporary files of saves are named "<file>.glimmerbox-save-<pid>-XXXXXX".
// Removes those in `dir` that belong to this user and whose process is gone
// (a save cut short by a crash); returns how many.
int RemoveStaleSaves(const std::string& dir);
