#include "console/ConsoleStatus.h"

#include "document/ShowData.h"
#include "link/SerialPort.h"

#include <cstdio>

namespace {

enum class ENote { kNone, kHeldBack, kLost, kNotTerminal };

// What the status line says about one tree; nothing for a good line or a tree
// without a port. A line is held back only when frames were due and it took none.
ENote TreeNote(const CSerialPort* port, bool framesDue, bool tookFrames)
{
    if (port == nullptr)
        return ENote::kNone;
    switch (port->State()) {
    case ELineState::kNoPort:
        return ENote::kNone;
    case ELineState::kLost:
        return ENote::kLost;
    case ELineState::kNotTerminal:
        return ENote::kNotTerminal;
    case ELineState::kOpen:
        break;
    }
    return framesDue && !tookFrames ? ENote::kHeldBack : ENote::kNone;
}

// " - Tree 1 Lost - Tree 2 Held Back", or "" when both lines are well.
std::string TreeNotes(const ENote (&notes)[2])
{
    static const char* const kTexts[] = {"", "Held Back", "Lost", "Not A Serial Port"};
    std::string text;
    for (int i = 0; i < 2; ++i) {
        if (notes[i] != ENote::kNone)
            text += " - Tree " + std::to_string(i + 1) + " " + kTexts[static_cast<int>(notes[i])];
    }
    return text;
}

bool OnlyNotes(const ENote (&notes)[2], ENote allowed)
{
    return (notes[0] == ENote::kNone || notes[0] == allowed) && (notes[1] == ENote::kNone || notes[1] == allowed);
}

}  // namespace

std::string RunningStatus(const CShowData& doc)
{
    std::string head = "NO Data Sent";
    if (doc.m_sendTreeSignals) {
        ENote notes[2] = {TreeNote(doc.m_tree1Port, true, doc.m_treeTookFrames[0]),
                          TreeNote(doc.m_tree2Port, true, doc.m_treeTookFrames[1])};
        if (doc.m_treeTookFrames[0] || doc.m_treeTookFrames[1])
            head = "Data Sent" + TreeNotes(notes);
        else if (OnlyNotes(notes, ENote::kLost))
            head += " - No Tree Port Open";
        else if (OnlyNotes(notes, ENote::kHeldBack))
            head += " - Tree Line Held Back";
        else
            head += TreeNotes(notes);
    }
    if (doc.m_blackout)
        head = "BLACKOUT - " + head;  // first, so it is seen at a glance
    char text[200];
    std::snprintf(text, sizeof text, "%s     CUE #(%d)  Chase #(%d)", head.c_str(), doc.m_currentCue,
                  doc.m_currentChase);
    return text;
}

std::string StoppedStatus(const CShowData& doc)
{
    // Said before START, so a lost or wrong line is found before the show.
    return (doc.m_sendTreeSignals ? "Will Send Info To Tree" : "Will NOT Send Info To Tree") + LineNotes(doc);
}

std::string LineNotes(const CShowData& doc, bool chosenNamesOnly)
{
    const CSerialPort* ports[2] = {doc.m_tree1Port, doc.m_tree2Port};
    const char* names[2] = {doc.m_tree1PortName, doc.m_tree2PortName};
    ENote notes[2];
    for (int i = 0; i < 2; ++i) {
        bool chosen = ports[i] != nullptr && SerialDevicePath(names[i]) == ports[i]->Path();
        notes[i] = chosenNamesOnly && !chosen ? ENote::kNone : TreeNote(ports[i], false, false);
    }
    return TreeNotes(notes);
}

std::string ConsoleCaption(const CShowData& doc)
{
    char text[2 * kFileNameSize + 100];
    std::snprintf(text, sizeof text, "Glimmerbox QX7 3.1 <<BETA>>       CUE -=[ %.*s ]=-   Chase -=[ %.*s ]=-",
                  kFileNameSize - 1, doc.m_cueFileName, kFileNameSize - 1, doc.m_chaseFileName);
    return text;
}
