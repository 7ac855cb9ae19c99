#include "document/History.h"
#include "document/ShowChanges.h"
#include "document/ShowData.h"

#include <cstdio>
#include <cstring>

namespace {

template <class... Table>
void Zero(Table&... tables)
{
    (std::memset(&tables, 0, sizeof tables), ...);
}

}  // namespace

// Every byte goes, not only the names: a slot that held a cue of the last list
// must not look different from one that never did.
void CShowData::ClearCues()
{
    Zero(m_cueName, m_cueChase, m_cueFadeTime, m_cueActiveTime, m_cueChaseSpeed, m_cueRunCount, m_cueForward,
         m_cueLevel, m_cueMark);
    m_currentCue = 0;
    if (m_history != nullptr)
        m_history->Forget(kCueTable);
    if (m_changes != nullptr)
        m_changes->MarkTables(*this, kCueTable);
}

void CShowData::ClearChases()
{
    m_currentChase = 0;
    Zero(m_stepChase, m_stepText, m_stepNumber, m_stepTierLamps, m_stepChestLamps, m_stepOutlineLamps);
    if (m_history != nullptr)
        m_history->Forget(kStepTable);
    if (m_changes != nullptr)
        m_changes->MarkTables(*this, kStepTable);
}

int CShowData::FindFreeCue() const
{
    for (int s = 1; s < kCueSlots; ++s)
        if (m_cueName[s][0] == '\0')
            return s;
    return 0;
}

int CShowData::FindFreeStepRecord() const
{
    for (int r = 1; r < kStepRecords; ++r)
        if (m_stepChase[r][0] == '\0')
            return r;
    return 0;
}

void CShowData::FillNameList(std::vector<std::string>& list, const char* kind) const
{
    if (std::strcmp(kind, "cue") == 0) {
        list.clear();
        char entry[16 + kNameSize];
        for (int s = 1; s < kCueSlots; ++s) {
            if (m_cueName[s][0] == '\0')
                continue;
            std::snprintf(entry, sizeof entry, "%d %s", s, m_cueName[s]);
            list.emplace_back(entry);
        }
    } else if (std::strcmp(kind, "chase") == 0) {
        list.clear();
        for (int r = 1; r < kStepRecords; ++r)
            if (m_stepChase[r][0] != '\0' && m_stepNumber[r] == 1)
                list.emplace_back(m_stepChase[r]);
    }
}
