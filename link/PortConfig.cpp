#include "link/PortConfig.h"

#include "document/LineReader.h"
#include "document/ProgramDir.h"
#include "document/ShowData.h"
#include "document/ShowFileIn.h"
#include "document/ShowFileSave.h"

#include <cstdio>
#include <cstring>

namespace {

// "%d|%[^|]|": the tree number (0 when missing) and the name, which ends at the
// next '|'. A name that does not fit `name` is left empty and `tooLong` set: a cut
// device name would open some other line.
int ParseLine(const char* line, char* name, int nameSize, bool& tooLong)
{
    name[0] = '\0';
    tooLong = false;
    const char* end = line;
    int tree = 0;
    if (!ParseNumber(line, tree, &end))
        return 0;
    if (*end == '|') {
        size_t length = std::strcspn(end + 1, "|");
        if (length > static_cast<size_t>(nameSize - 1)) {
            tooLong = true;
            return tree;
        }
        std::memcpy(name, end + 1, length);
        name[length] = '\0';
    }
    return tree;
}

}  // namespace

const char* CShowData::ReadPortConfig(int tree)
{
    static const char kEmpty[1] = "";
    if (tree != 1 && tree != 2)
        return kEmpty;
    char* target = tree == 1 ? m_tree1PortName : m_tree2PortName;
    target[0] = '\0';
    m_portNameTooLong[tree - 1] = false;
    // Read once per tree at start-up, before anyone is at the console: the
    // start-up reports an unreadable file once, from m_portCheck.
    CShowFileIn in(ProgramPath(kPortConfigFile), m_portCheck, nullptr);
    if (in.Stream() == nullptr)
        return target;
    // Lines of up to 499 characters; the rest of a longer line is dropped, never
    // taken for a record of its own.
    CLineReader lines(in.Stream(), kLayoutLineLimit);
    char name[kPortNameSize];
    bool tooLong = false;
    while (lines.Next()) {
        if (ParseLine(lines.Line(), name, kPortNameSize, tooLong) == tree) {
            std::memcpy(target, name, kPortNameSize);
            m_portNameTooLong[tree - 1] = tooLong;
            break;
        }
    }
    in.Finish(lines);
    return target;
}

bool CShowData::WritePortConfig()
{
    return SaveShowFile(ProgramPath(kPortConfigFile), m_portCheck, m_operator, {"Unable to Modify Config File", "lines"},
                        [this](FILE* out) {
                            std::fprintf(out, "1|%.*s|\n2|%.*s|\n", kPortNameSize - 1, m_tree1PortName,
                                         kPortNameSize - 1, m_tree2PortName);
                        });
}

std::string PortNameTooLongText(int tree)
{
    return "The port name for Tree " + std::to_string(tree) + " in " + kPortConfigFile + " is longer than " +
           std::to_string(kPortNameSize - 1) + " characters and was not used; choose the port again in the port setup.";
}

bool SetPortName(char (&field)[kPortNameSize], const char* name)
{
    if (name == nullptr || std::strlen(name) > static_cast<size_t>(kPortNameSize - 1))
        return false;
    std::memcpy(field, name, std::strlen(name) + 1);
    return true;
}

std::string PortStatusText(const CShowData& doc)
{
    char text[2 * kPortNameSize + 32];
    std::snprintf(text, sizeof text, "CurrentComPort = %.*s %.*s", kPortNameSize - 1,
                  doc.m_tree1PortName, kPortNameSize - 1, doc.m_tree2PortName);
    return text;
}
