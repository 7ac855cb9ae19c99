#include "document/LineReader.h"
#include "document/ProgramDir.h"
#include "document/ShowData.h"
#include "document/ShowFileIn.h"
#include "document/ShowFileSave.h"
#include "document/ShowFiles.h"

#include <cstdio>
#include <cstring>

namespace {

// Lamp string: 18 tiers of six circuits, then chest/outline pairs per circuit.
constexpr int kLampChars = kTiers * kCircuits + 2 * kCircuits;

bool LampOn(const char* lamps, int length, int pos)
{
    return pos < length && lamps[pos] >= '1' && lamps[pos] <= '9';
}

void ReadLamps(CShowData& doc, int r, const char* lamps)
{
    int length = static_cast<int>(strnlen(lamps, kLampChars));
    int pos = 0;
    for (int t = 0; t < kTiers; ++t)
        for (int k = 0; k < kCircuits; ++k)
            doc.m_stepTierLamps[r][t][k] = LampOn(lamps, length, pos++);
    for (int k = 0; k < kCircuits; ++k) {
        doc.m_stepChestLamps[r][k] = LampOn(lamps, length, pos++);
        doc.m_stepOutlineLamps[r][k] = LampOn(lamps, length, pos++);
    }
}

void WriteLamps(const CShowData& doc, int r, char lamps[kLampChars + 1])
{
    int pos = 0;
    for (int t = 0; t < kTiers; ++t)
        for (int k = 0; k < kCircuits; ++k)
            lamps[pos++] = doc.m_stepTierLamps[r][t][k] != 0 ? '1' : '0';
    for (int k = 0; k < kCircuits; ++k) {
        lamps[pos++] = doc.m_stepChestLamps[r][k] != 0 ? '1' : '0';
        lamps[pos++] = doc.m_stepOutlineLamps[r][k] != 0 ? '1' : '0';
    }
    lamps[pos] = '\0';
}

}  // namespace

void LoadChaseLibrary(CShowData& doc)
{
    doc.ClearChases();
    if (std::strlen(doc.m_chaseFileName) < 3)
        return;
    CShowFileIn in(ProgramPath(doc.m_chaseFileName), doc.m_chaseCheck, doc.m_operator);
    if (in.Stream() == nullptr)
        return;
    CLineReader reader(in.Stream(), kDataLineLimit);
    // The library starts empty and fills lowest-first, so the next free record
    // is simply the one after the last filled.
    int r = 1;
    int leftOut = 0;
    while (reader.Next()) {
        const char* f[4];
        SplitFields(reader.Line(), f, 4);
        int step = LeadingNumber(f[1]);
        // A nameless line marks no record; a step number outside the step map is refused.
        if (f[0][0] == '\0' || step < 1 || step >= kStepRecords)
            continue;
        if (r >= kStepRecords) {
            ++leftOut;
            continue;
        }
        CopyCut(doc.m_stepChase[r], kNameSize, f[0]);
        doc.m_stepNumber[r] = step;
        CopyCut(doc.m_stepText[r], kNameSize, f[2]);
        ReadLamps(doc, r, f[3]);
        ++r;
    }
    in.Finish(reader, leftOut, "records", kStepRecords - 1);
}

bool WriteChaseLibrary(CShowData& doc, const char* fileName)
{
    auto write = [&doc](FILE* out) {
        char lamps[kLampChars + 1];
        for (int r = 1; r < kStepRecords; ++r) {
            if (doc.m_stepNumber[r] == 0 || doc.m_stepChase[r][0] == '\0')
                continue;
            WriteLamps(doc, r, lamps);
            char name[kNameSize], text[kNameSize];
            std::fprintf(out, "%s|%d|%s|%s|\n", SafeField(doc.m_stepChase[r], name, kNameSize), doc.m_stepNumber[r],
                         SafeField(doc.m_stepText[r], text, kNameSize), lamps);
        }
    };
    return SaveShowFile(ProgramPath(fileName), doc.m_chaseCheck, doc.m_operator,
                        {"Could not save the chase library", "records"}, write);
}

bool SaveChaseLibrary(CShowData& doc)
{
    // Only a library that reached the disk may leave memory.
    if (std::strlen(doc.m_chaseFileName) < 3 || !WriteChaseLibrary(doc, doc.m_chaseFileName))
        return false;
    doc.ClearChases();
    return true;
}
