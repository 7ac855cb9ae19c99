// Making, naming, copying and deleting whole chases in the light step pool.
#include "document/History.h"
#include "document/LineReader.h"
#include "document/ShowData.h"

#include <cstdio>
#include <cstring>

namespace {

const char* const kBlankChase = "Blank Chase";

// A chase is the records that carry its name byte for byte, as the engine and the
// library file see it, so names are told apart the same way everywhere.
bool SameName(const char* a, const char* b)
{
    return std::strncmp(a, b, kNameSize) == 0;
}

bool BlankName(const char* name)
{
    for (; *name != '\0'; ++name)
        if (*name != ' ' && *name != '\t')
            return false;
    return true;
}

void Free(CShowData& d, int r)
{
    d.m_stepChase[r][0] = '\0';
    d.m_stepText[r][0] = '\0';
    d.m_stepNumber[r] = 0;
    std::memset(d.m_stepTierLamps[r], 0, sizeof d.m_stepTierLamps[r]);
    std::memset(d.m_stepChestLamps[r], 0, sizeof d.m_stepChestLamps[r]);
    std::memset(d.m_stepOutlineLamps[r], 0, sizeof d.m_stepOutlineLamps[r]);
}

}  // namespace

const char* CShowData::LoadedChaseName() const
{
    const int head = m_chaseStepRecord[1];
    return head > 0 && head < kStepRecords ? m_stepChase[head] : "";
}

bool CShowData::ChaseExists(const char* name, const char* except) const
{
    for (int r = 1; r < kStepRecords; ++r) {
        if (m_stepChase[r][0] == '\0' || !SameName(m_stepChase[r], name))
            continue;
        if (except == nullptr || !SameName(m_stepChase[r], except))
            return true;
    }
    return false;
}

bool CShowData::NewChase()
{
    int existing = 0;
    for (int r = 1; r < kStepRecords && existing == 0; ++r)
        if (m_stepChase[r][0] != '\0' && SameName(m_stepChase[r], kBlankChase))
            existing = r;
    char name[kNameSize];
    if (existing != 0) {
        CopyCut(name, kNameSize, m_stepChase[existing]);
    } else {
        const int r = FindFreeStepRecord();
        if (r == 0)
            return false;
        CChange change(*this, "New Chase");
        change.Places(ChaseOnDisplay(*this), {0, r, 1});
        change.StepRecord(r);
        // A record freed by a step delete still holds that step's lamps.
        Free(*this, r);
        CopyCut(m_stepChase[r], kNameSize, kBlankChase);
        CopyCut(m_stepText[r], kNameSize, "none");
        m_stepNumber[r] = 1;
        CopyCut(name, kNameSize, kBlankChase);
    }
    LoadChase(name);
    return true;
}

void CShowData::DeleteChase()
{
    CChange change(*this, StepLabel("Delete Chase %s", LoadedChaseName()));
    change.Places(ChaseOnDisplay(*this), {});
    for (int k = 1; k < kStepRecords; ++k) {
        if (m_chaseStepRecord[k] == 0)
            continue;
        change.StepRecord(m_chaseStepRecord[k]);
        Free(*this, m_chaseStepRecord[k]);
    }
    // Nothing may keep pointing at the freed records.
    LoadChase("");
}

bool CShowData::RenameChase(const char* newName)
{
    char old[kNameSize], name[kNameSize];
    CopyCut(old, kNameSize, LoadedChaseName());
    CopyCut(name, kNameSize, newName);
    if (old[0] == '\0' || BlankName(name) || !StandsInField(name) || ChaseExists(name, old))
        return false;
    // Typed letter by letter, a new name is one step.
    const CPlace here = ChaseOnDisplay(*this);
    CChange change(*this, StepLabel("Rename Chase %s", old), Gathered(kChaseNameField, here.record));
    change.Places(here, here);
    for (int k = 1; k < kStepRecords; ++k) {
        if (m_chaseStepRecord[k] == 0)
            continue;
        change.Field(kStepTable, m_stepChase[m_chaseStepRecord[k]]);
        CopyCut(m_stepChase[m_chaseStepRecord[k]], kNameSize, name);
    }
    return true;
}

bool CShowData::CopyChase(char (&copyName)[kNameSize])
{
    const char* name = LoadedChaseName();
    if (name[0] == '\0')
        return false;
    int needed = 0, spare = 0;
    for (int k = 1; k < kStepRecords; ++k) {
        needed += m_chaseStepRecord[k] != 0;
        spare += m_stepChase[k][0] == '\0';
    }
    if (spare < needed)
        return false;

    // The name is cut rather than the " copy" after it, so a copy always says what it is.
    JoinCut(copyName, kNameSize, name, " copy");
    for (int n = 2; ChaseExists(copyName); ++n) {
        char suffix[24];
        std::snprintf(suffix, sizeof suffix, " copy %d", n);
        JoinCut(copyName, kNameSize, name, suffix);
    }

    CChange change(*this, StepLabel("Copy Chase %s", name));
    const CPlace here = ChaseOnDisplay(*this);
    int r = 0, first = 0;
    for (int k = 1; k < kStepRecords; ++k) {
        const int from = m_chaseStepRecord[k];
        if (from == 0)
            continue;
        while (m_stepChase[++r][0] != '\0') {
        }
        first = first == 0 ? r : first;
        change.StepRecord(r);
        std::memcpy(m_stepText[r], m_stepText[from], kNameSize);
        std::memcpy(m_stepTierLamps[r], m_stepTierLamps[from], sizeof m_stepTierLamps[r]);
        std::memcpy(m_stepChestLamps[r], m_stepChestLamps[from], sizeof m_stepChestLamps[r]);
        std::memcpy(m_stepOutlineLamps[r], m_stepOutlineLamps[from], sizeof m_stepOutlineLamps[r]);
        CopyCut(m_stepChase[r], kNameSize, copyName);
        m_stepNumber[r] = k;
    }
    change.Places(here, {0, first, 1});
    LoadChase(copyName);
    return true;
}
