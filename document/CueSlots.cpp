#include "document/CueSlots.h"

#include "document/LineReader.h"

#include <cstring>

CCueSlot ReadSlot(const CShowData& d, int s)
{
    CCueSlot slot{};
    std::memcpy(slot.name, d.m_cueName[s], kNameSize);
    std::memcpy(slot.chase, d.m_cueChase[s], kNameSize);
    slot.fadeTime = d.m_cueFadeTime[s];
    slot.activeTime = d.m_cueActiveTime[s];
    slot.chaseSpeed = d.m_cueChaseSpeed[s];
    slot.runCount = d.m_cueRunCount[s];
    slot.forward = d.m_cueForward[s];
    for (int k = 0; k < kChannels; ++k)
        slot.level[k] = d.m_cueLevel[k][s];
    slot.mark = d.m_cueMark[s];
    return slot;
}

void WriteSlot(CShowData& d, int s, const CCueSlot& slot)
{
    std::memcpy(d.m_cueName[s], slot.name, kNameSize);
    std::memcpy(d.m_cueChase[s], slot.chase, kNameSize);
    d.m_cueFadeTime[s] = slot.fadeTime;
    d.m_cueActiveTime[s] = slot.activeTime;
    d.m_cueChaseSpeed[s] = slot.chaseSpeed;
    d.m_cueRunCount[s] = slot.runCount;
    d.m_cueForward[s] = slot.forward;
    for (int k = 0; k < kChannels; ++k)
        d.m_cueLevel[k][s] = slot.level[k];
    d.m_cueMark[s] = slot.mark;
}

bool SlotIsBlank(const CShowData& d, int s)
{
    static const char kZero[kNameSize] = {};
    if (std::memcmp(d.m_cueName[s], kZero, kNameSize) != 0 || std::memcmp(d.m_cueChase[s], kZero, kNameSize) != 0)
        return false;
    if (d.m_cueFadeTime[s] != 0 || d.m_cueActiveTime[s] != 0 || d.m_cueChaseSpeed[s] != 0 ||
        d.m_cueRunCount[s] != 0 || d.m_cueForward[s] || d.m_cueMark[s] != 0)
        return false;
    for (const auto& channel : d.m_cueLevel)
        if (channel[s] != 0)
            return false;
    return true;
}

void MoveSlots(CShowData& d, int from, int to, int count)
{
    if (count <= 0)
        return;
    auto move = [&](auto& column) { std::memmove(&column[to], &column[from], sizeof column[0] * count); };
    move(d.m_cueName);
    move(d.m_cueChase);
    move(d.m_cueFadeTime);
    move(d.m_cueActiveTime);
    move(d.m_cueChaseSpeed);
    move(d.m_cueRunCount);
    move(d.m_cueForward);
    move(d.m_cueMark);
    for (auto& channel : d.m_cueLevel)
        move(channel);
}

void ResetSlot(CShowData& d, int s, const char* name, const char* chase)
{
    // Whole fields, so an emptied slot is as blank as one never used.
    std::memset(d.m_cueName[s], 0, kNameSize);
    std::memset(d.m_cueChase[s], 0, kNameSize);
    CopyCut(d.m_cueName[s], kNameSize, name);
    CopyCut(d.m_cueChase[s], kNameSize, chase);
    d.m_cueFadeTime[s] = 0;
    d.m_cueActiveTime[s] = 0;
    d.m_cueChaseSpeed[s] = 0;
    d.m_cueRunCount[s] = 0;
    d.m_cueForward[s] = false;
    for (auto& channel : d.m_cueLevel)
        channel[s] = 0;
    d.m_cueMark[s] = 0;  // a new cue, or none: nothing follows it yet
}
