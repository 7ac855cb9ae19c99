#pragma once
// Before a save replaces a show file with different content, the old content
// is kept in the program directory's Backups/ as "<name>.<YYYY-MM-DD_HH-MM-SS>"
// (with "-2", "-3", ... when saves fall in one second); the newest kKeptCopies
// of each file stay.

#include <string>
#include <vector>

constexpr int kKeptCopies = 20;

// Keeps what `target` holds now when it differs from `content`. True when the
// old content was kept or needed no keeping (no file yet, the same bytes);
// false with the reason in `why`, the file itself untouched.
bool KeepOldCopy(const std::string& target, const std::string& content, std::string& why);

// The kept copies of the file named `name`, oldest first, as full paths.
std::vector<std::string> KeptCopies(const std::string& name);

// Reads at most `limit` bytes of the regular file `path`, opened without
// blocking. False with the reason in `why` (missing: errno ENOENT in `error`).
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& why, int* error = nullptr,
                   long long limit = 64LL << 20);
