#include "console/ConsoleStatus.h"

#include "document/ShowData.h"
#include "link/LineProblem.h"
#include "link/SerialPort.h"

#include <cstdio>

namespace {

// What the status line says about one tree: what keeps its line from being used,
// or that it is held back (frames were due and it took none). Nothing for a good
// line or a tree without a port.
struct Note {
    bool heldBack = false;
    std::string words;
    bool Any() const { return heldBack || !words.empty(); }
};

Note TreeNote(const CSerialPort* port, bool framesDue, bool tookFrames)
{
    Note note;
    if (port == nullptr || port->State() == ELineState::kNoPort)
        return note;
    note.words = LineProblemText(port);
    note.heldBack = note.words.empty() && framesDue && !tookFrames;
    return note;
}

// " - Tree 1: not plugged in: ... - Tree 2 Held Back", or "" when both lines are well.
std::string TreeNotes(const Note (&notes)[2])
{
    // The same trouble on both lines is said once, so the status line keeps to one line.
    if (!notes[0].words.empty() && notes[0].words == notes[1].words)
        return " - Trees 1 and 2: " + notes[0].words;
    std::string text;
    for (int i = 0; i < 2; ++i) {
        std::string tree = " - Tree " + std::to_string(i + 1);
        if (!notes[i].words.empty())
            text += tree + ": " + notes[i].words;
        else if (notes[i].heldBack)
            text += tree + " Held Back";
    }
    return text;
}

}  // namespace

std::string RunningStatus(const CShowData& doc)
{
    std::string head = "NO Data Sent";
    if (doc.m_sendTreeSignals) {
        Note notes[2] = {TreeNote(doc.m_tree1Port, true, doc.m_treeTookFrames[0]),
                         TreeNote(doc.m_tree2Port, true, doc.m_treeTookFrames[1])};
        bool bothHeld = notes[0].heldBack && notes[1].heldBack;
        if (doc.m_treeTookFrames[0] || doc.m_treeTookFrames[1])
            head = "Data Sent" + TreeNotes(notes);
        else if (!notes[0].Any() && !notes[1].Any())
            head += " - No Tree Port Open";
        else if (bothHeld)
            head += " - Tree Line Held Back";
        else
            head += TreeNotes(notes);
    }
    if (doc.m_blackout)
        head = "BLACKOUT - " + head;  // first, so it is seen at a glance
    char tail[64];
    std::snprintf(tail, sizeof tail, "     CUE #(%d)  Chase #(%d)", doc.m_currentCue, doc.m_currentChase);
    return head + tail;
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
    Note notes[2];
    for (int i = 0; i < 2; ++i) {
        bool chosen = ports[i] != nullptr && SerialDevicePath(names[i]) == ports[i]->Path();
        if (!chosenNamesOnly || chosen)
            notes[i] = TreeNote(ports[i], false, false);
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
