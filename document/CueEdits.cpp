#include "document/LineReader.h"
#include "document/ShowData.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kLastSlot = kCueSlots - 1;
const char kDefaultCueName[] = "Default Cue Name";
const char kNoChase[] = "# none";

bool IsCueSlot(int s)
{
    return s >= 1 && s <= kLastSlot;
}

// Moves `count` whole slots (every column) from `from` to `to`; the ranges may overlap.
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
    for (auto& channel : d.m_cueLevel)
        move(channel);
}

// An empty slot when `name` is "", otherwise a default cue of that name.
void ResetSlot(CShowData& d, int s, const char* name, const char* chase)
{
    CopyCut(d.m_cueName[s], kNameSize, name);
    CopyCut(d.m_cueChase[s], kNameSize, chase);
    d.m_cueFadeTime[s] = 0;
    d.m_cueActiveTime[s] = 0;
    d.m_cueChaseSpeed[s] = 0;
    d.m_cueRunCount[s] = 0;
    d.m_cueForward[s] = false;
    for (auto& channel : d.m_cueLevel)
        channel[s] = 0;
}

// Opening `count` slots at n pushes the last `count` slots out of the table;
// that is allowed only while none of them holds a cue.
bool RoomToOpen(const CShowData& d, int n, int count)
{
    if (!IsCueSlot(n) || count < 1 || count > kLastSlot - n + 1)
        return false;
    for (int s = kCueSlots - count; s <= kLastSlot; ++s)
        if (d.m_cueName[s][0] != '\0')
            return false;
    return true;
}

}  // namespace

bool CShowData::InsertCue(int n)
{
    return InsertCues(n, 1);
}

bool CShowData::InsertCues(int n, int count)
{
    if (!RoomToOpen(*this, n, count))
        return false;
    MoveSlots(*this, n, n + count, kCueSlots - n - count);
    for (int s = n; s < n + count; ++s)
        ResetSlot(*this, s, kDefaultCueName, kNoChase);
    return true;
}

CuePaste CShowData::PasteCues(int n, const int* sources, int count)
{
    for (int i = 0; i < count; ++i)
        if (!IsCueSlot(sources[i]) || m_cueName[sources[i]][0] == '\0')
            return CuePaste::kNoSuchCue;
    if (!InsertCues(n, count))
        return CuePaste::kNoRoom;
    // Sources at or after the insertion slot moved up with the rest.
    for (int i = 0; i < count; ++i)
        CopyCue(sources[i] >= n ? sources[i] + count : sources[i], n + i);
    return CuePaste::kPasted;
}

void CShowData::DeleteCue(int n)
{
    if (!IsCueSlot(n))
        return;
    MoveSlots(*this, n + 1, n, kLastSlot - n);
    ResetSlot(*this, kLastSlot, "", "");
}

void CShowData::CopyCue(int from, int to)
{
    if (!IsCueSlot(from) || !IsCueSlot(to) || from == to)
        return;
    std::memcpy(m_cueName[to], m_cueName[from], kNameSize);
    std::memcpy(m_cueChase[to], m_cueChase[from], kNameSize);
    m_cueFadeTime[to] = m_cueFadeTime[from];
    m_cueActiveTime[to] = m_cueActiveTime[from];
    m_cueChaseSpeed[to] = m_cueChaseSpeed[from];
    m_cueRunCount[to] = m_cueRunCount[from];
    m_cueForward[to] = m_cueForward[from];
    for (auto& channel : m_cueLevel)
        channel[to] = channel[from];
}

bool CShowData::RenameCue(int cue, const char* name)
{
    if (!IsCueSlot(cue) || name[0] == '\0')
        return false;
    CopyCut(m_cueName[cue], kNameSize, name);
    return true;
}

void CShowData::SetCueLevel(int cue, int channel, int level)
{
    if (IsCueSlot(cue) && channel >= 0 && channel < kChannels)
        m_cueLevel[channel][cue] = std::clamp(level, 0, 100);
}

void CShowData::SetCueValue(int cue, CueValue value, int number)
{
    if (!IsCueSlot(cue))
        return;
    switch (value) {
    case CueValue::kFadeTime: m_cueFadeTime[cue] = number; break;
    case CueValue::kChaseSpeed: m_cueChaseSpeed[cue] = number; break;
    case CueValue::kRunCount: m_cueRunCount[cue] = number; break;
    case CueValue::kActiveTime: m_cueActiveTime[cue] = number; break;
    }
}

void CShowData::SetCueChase(int cue, const char* chase)
{
    if (IsCueSlot(cue))
        CopyCut(m_cueChase[cue], kNameSize, chase);
}

void CShowData::SetCueForward(int cue, bool forward)
{
    if (IsCueSlot(cue))
        m_cueForward[cue] = forward;
}
