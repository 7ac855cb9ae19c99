#pragma once
// Opening a file of the console for reading. Whatever stands in its place may
// have been put there carelessly or on purpose, so only a regular file is
// read, it is opened without blocking, and at most kShowFileMaxBytes of it.

#include "document/FileCheck.h"

#include <cstdio>
#include <string>

class CLineReader;
class IOperator;

class CShowFileIn {
public:
    // Opens `path` and notes in `check` what it found; a file that is there
    // but cannot be read is reported to `person` (when there is one).
    CShowFileIn(const std::string& path, CFileCheck& check, IOperator* person);
    ~CShowFileIn();
    CShowFileIn(const CShowFileIn&) = delete;
    CShowFileIn& operator=(const CShowFileIn&) = delete;

    // Null when the file is missing or unreadable.
    FILE* Stream() const { return m_file; }
    bool Missing() const { return m_missing; }

    // Ends the read. A read error, or a file that grew past the bound while it
    // was read, still makes it unreadable. `leftOut` `what`s (e.g. "records")
    // beyond the table's `capacity` are reported.
    void Finish(const CLineReader& reader, int leftOut = 0, const char* what = "", int capacity = 0);

private:
    void Refuse(const std::string& why);

    CFileCheck& m_check;
    IOperator* m_person;
    FILE* m_file = nullptr;
    bool m_missing = false;
};

// What the operator is told about a file that is there but cannot be read.
std::string UnreadableText(const CFileCheck& check);

// Whether `path` names a regular file (through any links); screens use it
// before handing a path to a loader that would block on anything else.
bool IsRegularFile(const std::string& path);
