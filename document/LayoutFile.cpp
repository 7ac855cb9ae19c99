#include "document/Layout.h"
#include "document/LineReader.h"
#include "document/Operator.h"
#include "document/ProgramDir.h"
#include "document/ShowData.h"
#include "document/ShowFileIn.h"
#include "document/ShowFileSave.h"
#include "document/ShowFiles.h"

#include <cstdio>
#include <cstring>

namespace {

const char* const kLayoutName = kLayoutFile;
const char kEditingLockedLine[] = "lock|editing|";

// Missing or malformed numbers read as 0.
int NumberAt(const char* const fields[], int i)
{
    return LeadingNumber(fields[i]);
}

void ReadColors(const char* const f[], int out[], int count)
{
    for (int i = 0; i < count; ++i)
        out[i] = ClampColor(NumberAt(f, 1 + i));
}

CRect* WindowRect(CShowData& doc, const char* name)
{
    if (std::strcmp(name, "MAIN") == 0)
        return &doc.m_mainWindowRect;
    if (std::strcmp(name, "CUE") == 0)
        return &doc.m_cueWindowRect;
    if (std::strcmp(name, "CHASE") == 0)
        return &doc.m_chaseWindowRect;
    return nullptr;
}

void ReadLayoutLine(CShowData& doc, char* line)
{
    const char* f[8];
    // The demo flag is the raw character after "demo|", even a "|".
    const char* bar = std::strchr(line, '|');
    char demoChar = bar != nullptr ? bar[1] : '\0';
    int count = SplitFields(line, f, 8);
    if (count == 0)
        return;
    const char* key = f[0];
    int index = 0;
    if (std::strcmp(key, "color") == 0) {
        if (!ParseNumber(f[1], index) || index < 0 || index >= kColors)
            return;
        DefineColor(doc, index, NumberAt(f, 2), NumberAt(f, 3), NumberAt(f, 4));
    } else if (std::strcmp(key, "row") == 0) {
        if (!ParseNumber(f[1], index) || index < 1 || index > kTiers)
            return;
        ReadColors(f + 1, doc.m_tierColor[index - 1], kCircuits);
        doc.m_tierPresent[index - 1] = true;
        if (index > doc.m_tierCount)
            doc.m_tierCount = index;
    } else if (std::strcmp(key, "cross") == 0) {
        doc.m_crossColor = ClampColor(NumberAt(f, 1));
        doc.m_crossPresent = true;
    } else if (std::strcmp(key, "star") == 0) {
        doc.m_starColor = ClampColor(NumberAt(f, 1));
        doc.m_starPresent = true;
    } else if (std::strcmp(key, "chest") == 0) {
        ReadColors(f, doc.m_chestColor, kCircuits);
        doc.m_chestPresent = true;
    } else if (std::strcmp(key, "outline") == 0) {
        ReadColors(f, doc.m_outlineColor, kCircuits);
        doc.m_outlinePresent = true;
    } else if (std::strcmp(key, "demo") == 0) {
        if (demoChar != '\0')
            doc.m_demoMode = demoChar != '0';
    } else if (std::strcmp(key, "lock") == 0) {
        doc.m_editingLocked = true;
    } else if (std::strcmp(key, "WINDOW") == 0) {
        CRect* rect = WindowRect(doc, f[1]);
        if (rect == nullptr)
            return;
        rect->top = NumberAt(f, 2);
        rect->bottom = NumberAt(f, 3);
        rect->left = NumberAt(f, 4);
        rect->right = NumberAt(f, 5);
    }
}

}  // namespace

void WriteLayout(const CShowData& doc, FILE* out)
{
    for (int i = 0; i < kTableColors; ++i) {
        const CNamedColor& c = kColorTable[i];
        std::fprintf(out, "color|%d|%d|%d|%d|%s\n", i, c.red, c.green, c.blue, c.name);
    }
    for (int t = 0; t < kTiers; ++t) {
        if (!doc.m_tierPresent[t])
            continue;
        const int* c = doc.m_tierColor[t];
        std::fprintf(out, "row|%d|%d|%d|%d|%d|%d|%d|\n", t + 1, c[0], c[1], c[2], c[3], c[4], c[5]);
    }
    if (doc.m_crossPresent)
        std::fprintf(out, "cross|%d|\n", doc.m_crossColor);
    if (doc.m_starPresent)
        std::fprintf(out, "star|%d|\n", doc.m_starColor);
    const int* c = doc.m_chestColor;
    if (doc.m_chestPresent)
        std::fprintf(out, "chest|%d|%d|%d|%d|%d|%d|\n", c[0], c[1], c[2], c[3], c[4], c[5]);
    c = doc.m_outlineColor;
    if (doc.m_outlinePresent)
        std::fprintf(out, "outline|%d|%d|%d|%d|%d|%d|\n", c[0], c[1], c[2], c[3], c[4], c[5]);
    const struct {
        const char* name;
        const CRect& rect;
    } windows[] = {{"MAIN", doc.m_mainWindowRect}, {"CUE", doc.m_cueWindowRect}, {"CHASE", doc.m_chaseWindowRect}};
    for (const auto& w : windows)
        std::fprintf(out, "WINDOW|%s|%d|%d|%d|%d|\n", w.name, w.rect.top, w.rect.bottom, w.rect.left, w.rect.right);
    // Only a locked console writes this line, so an unlocked one writes the file as it always did.
    if (doc.m_editingLocked)
        std::fprintf(out, "%s\n", kEditingLockedLine);
}

void ReadLayoutLines(CShowData& doc, CLineReader& reader)
{
    doc.m_editingLocked = false;  // a file without the lock line is unlocked
    while (reader.Next())
        ReadLayoutLine(doc, reader.Line());
}

bool CShowData::LoadLayout(bool* nothingSetUp)
{
    if (nothingSetUp != nullptr)
        *nothingSetUp = false;
    CShowFileIn in(ProgramPath(kLayoutName), m_layoutCheck, m_operator);
    if (in.Missing()) {
        std::string text = m_operator != nullptr ? m_operator->AskTierCount() : std::string();
        bool done = FirstRunSetup(text.c_str());
        if (nothingSetUp != nullptr)
            *nothingSetUp = !done;
        return false;
    }
    // A file that is there but cannot be read must not be replaced by a fresh layout.
    if (in.Stream() == nullptr)
        return false;
    CLineReader reader(in.Stream(), kLayoutLineLimit);
    ReadLayoutLines(*this, reader);
    in.Finish(reader);
    if (m_layoutCheck.unreadable)
        return false;
    CopyCut(m_chaseFileName, kFileNameSize, ChaseLibraryName(m_tierCount).c_str());
    return true;
}

bool CShowData::SaveLayout()
{
    return SaveShowFile(ProgramPath(kLayoutName), m_layoutCheck, m_operator, {"Failed to open Config File", "lines"},
                        [this](FILE* out) { WriteLayout(*this, out); });
}
