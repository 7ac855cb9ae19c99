#include "link/PortConfig.h"

#include "document/AtomicFile.h"
#include "document/ProgramDir.h"
#include "document/ShowData.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kLineChars = 499;

// Reads one line of at most kLineChars characters; the rest of a longer line is
// dropped so it can never be taken for a record of its own. False at end of file.
bool ReadLine(FILE* file, char (&line)[kLineChars + 1])
{
    if (std::fgets(line, sizeof line, file) == nullptr)
        return false;
    size_t length = std::strlen(line);
    if (length > 0 && line[length - 1] == '\n')
        return true;
    int c;
    while ((c = std::fgetc(file)) != EOF && c != '\n') {
    }
    return true;
}

// "%d|%[^|]|": the tree number (0 when missing) and the name, which ends at the
// next '|' or the end of the line and is cut to fit `name`.
int ParseLine(const char* line, char* name, int nameSize)
{
    name[0] = '\0';
    char* end = nullptr;
    errno = 0;
    long tree = std::strtol(line, &end, 10);
    if (end == line || errno == ERANGE || tree < 0 || tree > 2)
        tree = end == line ? 0 : -1;  // out-of-range numbers match no tree
    if (*end != '|')
        return static_cast<int>(tree);
    const char* text = end + 1;
    int n = 0;
    while (text[n] != '\0' && text[n] != '|' && text[n] != '\n' && text[n] != '\r') {
        if (n < nameSize - 1)
            name[n] = text[n];
        ++n;
    }
    name[n < nameSize - 1 ? n : nameSize - 1] = '\0';
    return static_cast<int>(tree);
}

}  // namespace

const char* CShowData::ReadPortConfig(int tree)
{
    static const char kEmpty[1] = "";
    if (tree != 1 && tree != 2)
        return kEmpty;
    char* target = tree == 1 ? m_tree1PortName : m_tree2PortName;
    target[0] = '\0';
    FILE* file = std::fopen(ProgramPath(kPortConfigFile).c_str(), "r");
    if (file == nullptr)
        return target;
    char line[kLineChars + 1];
    char name[kPortNameSize];
    while (ReadLine(file, line)) {
        if (ParseLine(line, name, kPortNameSize) == tree) {
            std::memcpy(target, name, kPortNameSize);
            break;
        }
    }
    std::fclose(file);
    return target;
}

bool CShowData::WritePortConfig()
{
    CAtomicFile file(ProgramPath(kPortConfigFile));
    if (file.Stream() == nullptr)
        return false;
    std::fprintf(file.Stream(), "1|%.*s|\n2|%.*s|\n", kPortNameSize - 1, m_tree1PortName,
                 kPortNameSize - 1, m_tree2PortName);
    return file.Commit();
}

std::string PortStatusText(const CShowData& doc)
{
    char text[2 * kPortNameSize + 32];
    std::snprintf(text, sizeof text, "CurrentComPort = %.*s %.*s", kPortNameSize - 1,
                  doc.m_tree1PortName, kPortNameSize - 1, doc.m_tree2PortName);
    return text;
}
