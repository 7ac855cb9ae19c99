#pragma once
// Saving a file of the console: never over a file that could not be read, with
// a backup of the whole old file first when the tables could not hold all of
// it, and every failure told to the operator with the file and the reason.

#include "document/FileCheck.h"

#include <cstdio>
#include <functional>
#include <string>

class IOperator;

struct CSaveText {
    const char* headline;  // first line of every failure message
    const char* records;   // what the file holds, as the backup notice names it
};

// Writes `path` through `write`. `check` is what the last read of the file
// found. False, with the old file as it was, when nothing was saved. Old
// content that differs from the new is kept in Backups/ first (KeptCopies.h).
bool SaveShowFile(const std::string& path, CFileCheck& check, IOperator* person, const CSaveText& text,
                  const std::function<void(FILE*)>& write);

// Copies `target` to the first free "<target>.bak", "<target>.bak2", ...
// Returns the copy's path, or "" with the reason in `why`.
std::string BackUpFile(const std::string& target, std::string& why);

// What `write` puts out, gathered in `content`; false when memory ran out.
bool FormatToMemory(const std::function<void(FILE*)>& write, std::string& content);
