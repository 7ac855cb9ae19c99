#include "document/RecoveryFile.h"

#include "document/ProgramDir.h"

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

namespace {

const char kFirstLine[] = "Glimmerbox recovery copy|1|\n";

std::uint64_t Hash(const char* bytes, std::size_t size)
{
    std::uint64_t h = 14695981039346656037ULL;
    for (std::size_t i = 0; i < size; ++i)
        h = (h ^ static_cast<unsigned char>(bytes[i])) * 1099511628211ULL;
    return h;
}

void Item(std::string& out, const char* key, const std::string& value)
{
    out += key;
    out += "|" + std::to_string(value.size()) + "|\n";
    out += value;
    out += "\n";
}

std::string Stamp(const CFileStamp& s)
{
    return s.present ? std::to_string(s.mtimeNs) + " " + std::to_string(s.size) : "missing";
}

bool ReadStamp(const std::string& text, CFileStamp& s)
{
    if (text == "missing") {
        s = {};
        return true;
    }
    int used = 0;
    s.present = true;
    return std::sscanf(text.c_str(), "%lld %lld%n", &s.mtimeNs, &s.size, &used) == 2 &&
           used == static_cast<int>(text.size());
}

bool ReadCount(const std::string& text, long long max, long long& value)
{
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0' && errno == 0 && value >= 0 && value <= max;
}

}  // namespace

CFileStamp StampOf(const std::string& path)
{
    struct stat st {};
    if (path.empty() || stat(path.c_str(), &st) != 0)
        return {};
    return {true, st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec, static_cast<long long>(st.st_size)};
}

std::string FormatRecovery(const CRecoveryShow& show)
{
    std::string out = kFirstLine;
    Item(out, "left", std::to_string(static_cast<long long>(show.left)));
    Item(out, "cuelist", show.cueList);
    Item(out, "library", show.library);
    Item(out, "cues", std::to_string(show.cues));
    Item(out, "chases", std::to_string(show.chases));
    Item(out, "cuestamp", Stamp(show.cueStamp));
    Item(out, "chasestamp", Stamp(show.chaseStamp));
    Item(out, "layoutstamp", Stamp(show.layoutStamp));
    Item(out, "cue", show.cueText);
    Item(out, "chase", show.chaseText);
    Item(out, "layout", show.layoutText);
    char end[40];
    std::snprintf(end, sizeof end, "end|%016" PRIx64 "|\n", Hash(out.data(), out.size()));
    return out + end;
}

bool ParseRecovery(const std::string& bytes, CRecoveryShow& show, std::string& why)
{
    const std::size_t first = std::strlen(kFirstLine);
    if (bytes.compare(0, first, kFirstLine) != 0) {
        why = "it is not a recovery copy of this console";
        return false;
    }
    const char* keys[] = {"left",        "cuelist", "library", "cues",  "chases", "cuestamp",
                          "chasestamp", "layoutstamp", "cue", "chase", "layout"};
    std::string values[11];
    std::size_t at = first;
    for (int i = 0; i < 11; ++i) {
        const std::size_t key = std::strlen(keys[i]);
        long long length = 0;
        const std::size_t bar = bytes.find('|', at + key);
        if (bytes.compare(at, key, keys[i]) != 0 || bar != at + key) {
            why = "it is cut short or damaged before its " + std::string(keys[i]);
            return false;
        }
        const std::size_t close = bytes.find("|\n", bar + 1);
        if (close == std::string::npos || close - bar > 12 ||
            !ReadCount(bytes.substr(bar + 1, close - bar - 1), static_cast<long long>(bytes.size()), length) ||
            close + 2 + static_cast<std::size_t>(length) + 1 > bytes.size() ||
            bytes[close + 2 + static_cast<std::size_t>(length)] != '\n') {
            why = "it is cut short or damaged in its " + std::string(keys[i]);
            return false;
        }
        values[i] = bytes.substr(close + 2, static_cast<std::size_t>(length));
        at = close + 2 + static_cast<std::size_t>(length) + 1;
    }
    char end[40];
    std::snprintf(end, sizeof end, "end|%016" PRIx64 "|\n", Hash(bytes.data(), at));
    if (bytes.compare(at, std::string::npos, end) != 0) {
        why = "it is cut short or its content does not match its check sum";
        return false;
    }
    long long left = 0, cues = 0, chases = 0;
    if (!ReadCount(values[0], 1LL << 40, left) || !ReadCount(values[3], 7499, cues) ||
        !ReadCount(values[4], 4999, chases) || !ReadStamp(values[5], show.cueStamp) ||
        !ReadStamp(values[6], show.chaseStamp) || !ReadStamp(values[7], show.layoutStamp) ||
        values[1].size() >= 200 || values[2].size() >= 200) {
        why = "its description of the show is damaged";
        return false;
    }
    show.left = static_cast<std::time_t>(left);
    show.cueList = values[1];
    show.library = values[2];
    show.cues = static_cast<int>(cues);
    show.chases = static_cast<int>(chases);
    show.cueText = values[8];
    show.chaseText = values[9];
    show.layoutText = values[10];
    return true;
}

std::string RecoveryPath(std::string& why)
{
    std::string dir = ProgramFolder(kRecoveryFolder, why);
    return dir.empty() ? "" : dir + "/" + kRecoveryName;
}
