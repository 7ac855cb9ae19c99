#include "document/ShowData.h"

#include <cstdio>
#include <cstring>

void CShowData::ClearCues()
{
    for (int s = 0; s < kCueSlots; ++s) {
        m_cueName[s][0] = '\0';
        m_cueChase[s][0] = '\0';
        m_cueFadeTime[s] = 0;
        m_cueActiveTime[s] = 0;
        m_cueChaseSpeed[s] = 0;
        m_cueRunCount[s] = 0;
        m_cueForward[s] = false;
        for (int k = 0; k < kChannels; ++k)
            m_cueLevel[k][s] = 0;
    }
    m_currentCue = 0;
}

void CShowData::ClearChases()
{
    m_currentChase = 0;
    std::memset(m_stepChase, 0, sizeof m_stepChase);
    std::memset(m_stepText, 0, sizeof m_stepText);
    std::memset(m_stepNumber, 0, sizeof m_stepNumber);
    std::memset(m_stepTierLamps, 0, sizeof m_stepTierLamps);
    std::memset(m_stepChestLamps, 0, sizeof m_stepChestLamps);
    std::memset(m_stepOutlineLamps, 0, sizeof m_stepOutlineLamps);
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
