#pragma once
// Every save goes to a temporary file beside the target, is flushed to disk and
// then renamed over the old file: a crash leaves the old file or the new one.

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

    // Tests call this between the written temporary file and the rename, to stand for a crash.
    static void (*s_beforeRename)(const char* tempPath);

private:
    std::string m_path;
    std::string m_tempPath;
    FILE* m_stream = nullptr;
    bool m_committed = false;
};
