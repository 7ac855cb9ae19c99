#include "document/LineReader.h"
#include "document/Operator.h"
#include "document/ProgramDir.h"
#include "document/ShowData.h"
#include "document/ShowFileIn.h"
#include "document/ShowFileSave.h"
#include "document/ShowFiles.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <string>
#include <vector>

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

bool SameName(const CShowData& doc, int a, int b)
{
    return std::strncmp(doc.m_stepChase[a], doc.m_stepChase[b], kNameSize) == 0;
}

// One name with each step number more than once is more than one chase: names that
// differed only in a character the file cannot hold ("a|b" and "a/b") come back
// alike. Joined, all but one record of each step would be out of reach of the
// editor and the show, so the n-th record of each step number is kept as the n-th
// chase, under a name no other chase has, and the operator is told.
void KeepChasesApart(CShowData& doc, int records)
{
    std::vector<int> order(static_cast<std::size_t>(records));
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(), [&doc](int a, int b) {
        const int names = std::strncmp(doc.m_stepChase[a], doc.m_stepChase[b], kNameSize);
        return names != 0 ? names < 0 : doc.m_stepNumber[a] < doc.m_stepNumber[b];
    });
    std::vector<int> copy(static_cast<std::size_t>(records) + 1, 0);
    for (std::size_t i = 1; i < order.size(); ++i)
        if (SameName(doc, order[i - 1], order[i]) && doc.m_stepNumber[order[i - 1]] == doc.m_stepNumber[order[i]])
            copy[order[i]] = copy[order[i - 1]] + 1;
    std::string told;
    int clashes = 0;
    for (std::size_t i = 0, end = 0; i < order.size(); i = end) {
        int copies = 0;
        for (end = i; end < order.size() && SameName(doc, order[i], order[end]); ++end)
            copies = std::max(copies, copy[order[end]]);
        if (copies == 0)
            continue;
        char name[kNameSize];
        CopyCut(name, kNameSize, doc.m_stepChase[order[i]]);
        std::string line = std::string("\n\"") + name + "\"";
        for (int k = 1, n = 2; k <= copies; ++k) {
            char apart[kNameSize], suffix[16];
            do {
                std::snprintf(suffix, sizeof suffix, " (%d)", n++);
                JoinCut(apart, kNameSize, name, suffix);
            } while (doc.ChaseExists(apart));
            // Numbered from 1 in their order, so each chase has the step 1 that lists it.
            int step = 1;
            for (std::size_t j = i; j < end; ++j) {
                if (copy[order[j]] != k)
                    continue;
                CopyCut(doc.m_stepChase[order[j]], kNameSize, apart);
                doc.m_stepNumber[order[j]] = step++;
            }
            if (k <= 3)
                line += std::string(", \"") + apart + "\"";
        }
        if (copies > 3)
            line += " and " + std::to_string(copies - 3) + " more";
        if (++clashes <= 10)
            told += line;
    }
    if (clashes == 0 || doc.m_operator == nullptr)
        return;
    if (clashes > 10)
        told += "\n... and " + std::to_string(clashes - 10) + " more names";
    const std::string text = "The chase library " + std::string(doc.m_chaseFileName) +
                             " holds more than one chase under one name (a \"|\" in a name used to be written as "
                             "\"/\"). They are kept apart under these names:" +
                             told + "\nCheck their steps, and the chase of every cue that ran one of them.";
    doc.m_operator->Message(text.c_str(), "NOTICE");
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
    const int leftOut = ReadChaseLines(doc, reader);
    in.Finish(reader, leftOut, "records", kStepRecords - 1);
}

int ReadChaseLines(CShowData& doc, CLineReader& reader)
{
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
        // A CR inside a name is written back as "/": the name is taken as it will be
        // written, so two names that the file would make one are found as one here.
        char written[kNameSize];
        CopyCut(doc.m_stepChase[r], kNameSize, SafeField(f[0], written, kNameSize));
        doc.m_stepNumber[r] = step;
        CopyCut(doc.m_stepText[r], kNameSize, f[2]);
        ReadLamps(doc, r, f[3]);
        ++r;
    }
    KeepChasesApart(doc, r - 1);
    return leftOut;
}

bool WriteChaseLibrary(CShowData& doc, const char* fileName)
{
    return SaveShowFile(ProgramPath(fileName), doc.m_chaseCheck, doc.m_operator,
                        {"Could not save the chase library", "records"},
                        [&doc](FILE* out) { WriteChaseLines(doc, out); });
}

void WriteChaseLines(const CShowData& doc, FILE* out)
{
    char lamps[kLampChars + 1];
    for (int r = 1; r < kStepRecords; ++r) {
        if (doc.m_stepNumber[r] == 0 || doc.m_stepChase[r][0] == '\0')
            continue;
        WriteLamps(doc, r, lamps);
        char name[kNameSize], text[kNameSize];
        std::fprintf(out, "%s|%d|%s|%s|\n", SafeField(doc.m_stepChase[r], name, kNameSize), doc.m_stepNumber[r],
                     SafeField(doc.m_stepText[r], text, kNameSize), lamps);
    }
}

bool SaveChaseLibrary(CShowData& doc)
{
    // Only a library that reached the disk may leave memory.
    if (std::strlen(doc.m_chaseFileName) < 3 || !WriteChaseLibrary(doc, doc.m_chaseFileName))
        return false;
    doc.ClearChases();
    return true;
}
