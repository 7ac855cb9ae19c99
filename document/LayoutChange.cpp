#include "document/Layout.h"
#include "document/LineReader.h"
#include "document/Operator.h"
#include "document/ProgramDir.h"
#include "document/ShowFileSave.h"
#include "document/ShowFiles.h"

#include <cerrno>
#include <sys/stat.h>

namespace {

// The document holds what the saved file gives the next start: a part that is not
// there has no colours.
void CopyColors(int* to, const int* from, int count, bool present)
{
    for (int c = 0; c < count; ++c)
        to[c] = present ? ClampColor(from[c]) : 0;
}

void ApplyLayout(CShowData& doc, const CLayout& layout)
{
    doc.m_tierCount = layout.tierCount;
    for (int t = 1; t <= kTiers; ++t) {
        doc.m_tierPresent[t - 1] = t <= layout.tierCount && layout.tierPresent[t - 1];
        CopyColors(doc.m_tierColor[t - 1], layout.tierColor[t - 1], kCircuits, doc.m_tierPresent[t - 1]);
    }
    doc.m_chestPresent = layout.chestPresent;
    CopyColors(doc.m_chestColor, layout.chestColor, kCircuits, layout.chestPresent);
    doc.m_outlinePresent = layout.outlinePresent;
    CopyColors(doc.m_outlineColor, layout.outlineColor, kCircuits, layout.outlinePresent);
    doc.m_starPresent = layout.starPresent;
    CopyColors(&doc.m_starColor, &layout.starColor, 1, layout.starPresent);
    doc.m_crossPresent = layout.crossPresent;
    CopyColors(&doc.m_crossColor, &layout.crossColor, 1, layout.crossPresent);
}

// Loads the library `name` in place of the one in memory; the step undo history
// goes with the records it was about. The engine's chase is found again by name.
// False when the file was there but could not be read.
bool UseChaseLibrary(CShowData& doc, const std::string& name)
{
    CopyCut(doc.m_chaseFileName, kFileNameSize, name.c_str());
    LoadChaseLibrary(doc);
    const int cue = doc.m_currentCue;
    const char* chase = cue >= 1 && cue < kCueSlots ? doc.m_cueChase[cue] : "";
    doc.LoadChase(chase);
    doc.m_currentChase = doc.FindChaseHead(chase);
    return !doc.m_chaseCheck.unreadable;
}

// Makes the library `to` ready for the chases of the new tier count. The chases in
// use are first saved to their own library `from`, so nothing is lost whatever
// follows. A missing `to` starts as a copy of them (a step's lamps do not depend on
// the tier count); an existing one is kept or replaced as the operator answers.
// `takeTheirs` tells the caller to load `to`. False when a file could not be written.
bool PrepareLibrary(CShowData& doc, const std::string& from, const std::string& to, bool& takeTheirs)
{
    takeTheirs = false;
    if (from.size() >= 3 && !WriteChaseLibrary(doc, from.c_str()))
        return false;
    const std::string path = ProgramPath(to.c_str());
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 && errno == ENOENT)
        return WriteChaseLibrary(doc, to.c_str());

    const std::string question = to + " already holds a chase library.\n\nYes: use the chases it holds.\n"
                                 "No: replace them with the chases in use (the file is first copied to a backup).\n\n"
                                 "The chases in use are kept in " + from + " either way.";
    // With nobody to answer, the file on disk is the one left alone.
    takeTheirs = doc.m_operator == nullptr || doc.m_operator->Ask(question.c_str(), "Question");
    if (takeTheirs)
        return true;
    std::string why;
    if (BackUpFile(path, why).empty()) {
        if (doc.m_operator != nullptr)
            doc.m_operator->Message(
                ("Could not replace the chase library\n" + path + ": " + why + ".\nThe file on disk was not changed.")
                    .c_str(),
                "ERROR");
        return false;
    }
    return WriteChaseLibrary(doc, to.c_str());
}

}  // namespace

void CShowData::CopyLayout(CLayout& layout) const
{
    layout.tierCount = m_tierCount;
    for (int t = 0; t < kTiers; ++t) {
        layout.tierPresent[t] = m_tierPresent[t];
        for (int c = 0; c < kCircuits; ++c)
            layout.tierColor[t][c] = m_tierColor[t][c];
    }
    layout.chestPresent = m_chestPresent;
    layout.outlinePresent = m_outlinePresent;
    for (int c = 0; c < kCircuits; ++c) {
        layout.chestColor[c] = m_chestColor[c];
        layout.outlineColor[c] = m_outlineColor[c];
    }
    layout.starPresent = m_starPresent;
    layout.starColor = m_starColor;
    layout.crossPresent = m_crossPresent;
    layout.crossColor = m_crossColor;
}

bool CShowData::ChangeLayout(const CLayout& layout)
{
    if (!LayoutProblem(layout).empty())
        return false;
    CLayout before;
    CopyLayout(before);
    const std::string from = m_chaseFileName, to = ChaseLibraryName(layout.tierCount);
    bool takeTheirs = false;
    if (to != from && !PrepareLibrary(*this, from, to, takeTheirs))
        return false;
    if (takeTheirs && !UseChaseLibrary(*this, to)) {
        UseChaseLibrary(*this, from);  // saved a moment ago, so it reads back as it was
        return false;
    }
    ApplyLayout(*this, layout);
    CopyCut(m_chaseFileName, kFileNameSize, to.c_str());
    if (!SaveLayout()) {
        ApplyLayout(*this, before);
        if (takeTheirs)
            UseChaseLibrary(*this, from);
        CopyCut(m_chaseFileName, kFileNameSize, from.c_str());
        return false;
    }
    // The file now holds the colour table and nothing else; the console shows what it will read.
    for (int i = 0; i < kTableColors; ++i)
        DefineColor(*this, i, kColorTable[i].red, kColorTable[i].green, kColorTable[i].blue);
    return true;
}
