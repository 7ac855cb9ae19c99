#pragma once
// The recovery copy on disk: one file, Recovery/show.recovery in the program
// directory, holding the three show files as they would be saved now (the cue
// list, the chase library, the layout, byte for byte in their own formats),
// the names they belong under, when the show was last changed and, for each
// show file, its time and size when the copy was written. One file, replaced
// whole through the safe save, so a copy is always one moment of the show.
//
// Text: a first line "Glimmerbox recovery copy|1|", then items "<key>|<length>|"
// each followed by a line feed, <length> bytes and a line feed, and last
// "end|<hash>|" with the FNV-1a hash of every byte before it in hexadecimal.

#include <cstdint>
#include <ctime>
#include <string>

inline constexpr const char* kRecoveryFolder = "Recovery";
inline constexpr const char* kRecoveryName = "show.recovery";

// What a show file looked like when the copy was written.
struct CFileStamp {
    bool present = false;
    long long mtimeNs = 0;
    long long size = 0;
    bool operator==(const CFileStamp&) const = default;
};

CFileStamp StampOf(const std::string& path);

struct CRecoveryShow {
    std::time_t left = 0;      // when the last change was taken
    std::string cueList;       // m_cueFileName
    std::string library;       // m_chaseFileName
    int cues = 0, chases = 0;  // what the copy holds, for the question
    std::string cueText, chaseText, layoutText;
    CFileStamp cueStamp, chaseStamp, layoutStamp;
};

std::string FormatRecovery(const CRecoveryShow& show);
// False with the reason in `why` for anything but a whole, well-formed copy.
bool ParseRecovery(const std::string& bytes, CRecoveryShow& show, std::string& why);

// Recovery/show.recovery; "" with `why` when the folder may not be used.
std::string RecoveryPath(std::string& why);
