#include "document/LineReader.h"
#include "document/ProgramDir.h"
#include "document/ShowData.h"
#include "document/ShowFileIn.h"
#include "document/ShowFileSave.h"
#include "document/ShowFiles.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int kCueNumbers = 19;
const char kSelectedKey[] = "ChaseList_Selected";

// Where each of the 19 numbers of a cue line lives, in file order.
struct NumberPlace {
    enum Kind { Level, Fade, Speed, Forward, RunCount, Active } kind;
    int channel;
};
const NumberPlace kNumberOrder[kCueNumbers] = {
    {NumberPlace::Level, kStar},    {NumberPlace::Level, kCross},   {NumberPlace::Level, kAux1},
    {NumberPlace::Level, kAux2},    {NumberPlace::Level, kAux3},    {NumberPlace::Level, kAux4},
    {NumberPlace::Level, kColor1},  {NumberPlace::Level, kColor2},  {NumberPlace::Level, kColor3},
    {NumberPlace::Level, kColor4},  {NumberPlace::Level, kColor5},  {NumberPlace::Level, kColor6},
    {NumberPlace::Fade, 0},         {NumberPlace::Speed, 0},        {NumberPlace::Level, kChest},
    {NumberPlace::Level, kOutline}, {NumberPlace::Forward, 0},      {NumberPlace::RunCount, 0},
    {NumberPlace::Active, 0},
};

void StoreNumber(CShowData& doc, int s, const NumberPlace& place, int value)
{
    switch (place.kind) {
    case NumberPlace::Level:
        // Levels are percentages everywhere downstream (frames, picture).
        doc.m_cueLevel[place.channel][s] = value < 0 ? 0 : (value > 100 ? 100 : value);
        break;
    case NumberPlace::Fade: doc.m_cueFadeTime[s] = value; break;
    case NumberPlace::Speed: doc.m_cueChaseSpeed[s] = value; break;
    case NumberPlace::Forward: doc.m_cueForward[s] = value != 0; break;
    case NumberPlace::RunCount: doc.m_cueRunCount[s] = value; break;
    case NumberPlace::Active: doc.m_cueActiveTime[s] = value; break;
    }
}

int LoadNumber(const CShowData& doc, int s, const NumberPlace& place)
{
    switch (place.kind) {
    case NumberPlace::Level: return doc.m_cueLevel[place.channel][s];
    case NumberPlace::Fade: return doc.m_cueFadeTime[s];
    case NumberPlace::Speed: return doc.m_cueChaseSpeed[s];
    case NumberPlace::Forward: return doc.m_cueForward[s] ? 1 : 0;
    case NumberPlace::RunCount: return doc.m_cueRunCount[s];
    case NumberPlace::Active: return doc.m_cueActiveTime[s];
    }
    return 0;
}

// Numbers after the first missing or malformed one keep their cleared values.
void ReadNumbers(CShowData& doc, int s, const char* text)
{
    for (const NumberPlace& place : kNumberOrder) {
        int value = 0;
        if (!ParseNumber(text, value, &text))
            return;
        StoreNumber(doc, s, place, value);
    }
}

}  // namespace

void LoadCueListFile(CShowData& doc)
{
    doc.ClearCues();
    if (std::strlen(doc.m_cueFileName) < 3) {
        doc.LoadCueList();
        return;
    }
    CShowFileIn in(ProgramPath(doc.m_cueFileName), doc.m_cueCheck, doc.m_operator);
    if (in.Stream() == nullptr)
        return;
    CLineReader reader(in.Stream(), kDataLineLimit);
    const int leftOut = ReadCueLines(doc, reader);
    in.Finish(reader, leftOut, "cues", kCueSlots - 1);
}

int ReadCueLines(CShowData& doc, CLineReader& reader)
{
    // The table starts empty and fills lowest-first.
    int s = 1;
    int leftOut = 0;
    while (reader.Next()) {
        const char* f[3];
        SplitFields(reader.Line(), f, 3);
        if (f[0][0] == '\0')
            continue;
        if (std::strstr(f[0], kSelectedKey) != nullptr) {
            CopyCut(doc.m_selectedChaseList, kFileNameSize, f[1]);
            continue;
        }
        // A full table counts further cues but still takes a later selection line.
        if (s >= kCueSlots) {
            ++leftOut;
            continue;
        }
        if (s == 1)
            doc.m_currentCue = 1;
        CopyCut(doc.m_cueName[s], kNameSize, f[0]);
        CopyCut(doc.m_cueChase[s], kNameSize, f[1]);
        ReadNumbers(doc, s, f[2]);
        ++s;
    }
    return leftOut;
}

bool SaveCueListFile(CShowData& doc)
{
    return std::strlen(doc.m_cueFileName) >= 3 && WriteCueList(doc, doc.m_cueFileName, true);
}

bool WriteCueList(CShowData& doc, const char* name, bool cues)
{
    return SaveShowFile(ProgramPath(name), doc.m_cueCheck, doc.m_operator, {"Could not save the cue list", "cues"},
                        [&doc, cues](FILE* out) { WriteCueLines(doc, out, cues); });
}

void WriteCueLines(const CShowData& doc, FILE* out, bool cues)
{
    std::fprintf(out, "%s|default.B%d|\n", kSelectedKey, doc.m_tierCount);
    for (int s = 1; cues && s < kCueSlots; ++s) {
        if (doc.m_cueName[s][0] == '\0')
            continue;
        int n[kCueNumbers];
        for (int i = 0; i < kCueNumbers; ++i)
            n[i] = LoadNumber(doc, s, kNumberOrder[i]);
        char name[kNameSize], chase[kNameSize];
        std::fprintf(out, "%s|%s|%d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d|\n",
                     SafeField(doc.m_cueName[s], name, kNameSize), SafeField(doc.m_cueChase[s], chase, kNameSize),
                     n[0], n[1], n[2], n[3], n[4], n[5], n[6], n[7], n[8], n[9], n[10], n[11], n[12], n[13], n[14],
                     n[15], n[16], n[17], n[18]);
    }
}
