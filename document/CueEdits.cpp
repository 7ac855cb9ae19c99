#include "document/CueSlots.h"
#include "document/History.h"
#include "document/LineReader.h"
#include "document/ShowData.h"

#include <algorithm>
#include <cstring>

namespace {

const char kDefaultCueName[] = "Default Cue Name";
const char kNoChase[] = "# none";
const char* const kChannelNames[kChannels] = {"Star",    "Cross",   "Aux 1",   "Aux 2",   "Aux 3",
                                              "Aux 4",   "Color 1", "Color 2", "Color 3", "Color 4",
                                              "Color 5", "Color 6", "Chest",   "Outline"};

bool IsCueSlot(int s)
{
    return s >= 1 && s <= kLastCueSlot;
}

// Opening `count` slots at n pushes the last `count` slots out of the table;
// that is allowed only while none of them holds a cue.
bool RoomToOpen(const CShowData& d, int n, int count)
{
    if (!IsCueSlot(n) || count < 1 || count > kLastCueSlot - n + 1)
        return false;
    for (int s = kCueSlots - count; s <= kLastCueSlot; ++s)
        if (d.m_cueName[s][0] != '\0')
            return false;
    return true;
}

void OpenSlots(CShowData& d, int n, int count)
{
    MoveSlots(d, n, n + count, kCueSlots - n - count);
    for (int s = n; s < n + count; ++s)
        ResetSlot(d, s, kDefaultCueName, kNoChase);
}

// The copy is a cue of its own: what follows the original does not follow it.
void CopySlot(CShowData& d, int from, int to)
{
    const int mark = d.m_cueMark[to];
    WriteSlot(d, to, ReadSlot(d, from));
    d.m_cueMark[to] = mark;
}

void RegisterSlot(CChange& change, CShowData& d, int s)
{
    change.Field(kCueTable, d.m_cueName[s]);
    change.Field(kCueTable, d.m_cueChase[s]);
    change.Field(kCueTable, d.m_cueFadeTime[s]);
    change.Field(kCueTable, d.m_cueActiveTime[s]);
    change.Field(kCueTable, d.m_cueChaseSpeed[s]);
    change.Field(kCueTable, d.m_cueRunCount[s]);
    change.Field(kCueTable, d.m_cueForward[s]);
    for (auto& channel : d.m_cueLevel)
        change.Field(kCueTable, channel[s]);
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
    CChange change(*this, count == 1 ? StepLabel("Insert Cue %d", n) : StepLabel("Insert %d Cues at %d", count, n));
    change.Places({n}, {});
    change.OpenedCues(n, count, nullptr);
    OpenSlots(*this, n, count);
    return true;
}

CuePaste CShowData::PasteCues(int n, const int* sources, int count)
{
    for (int i = 0; i < count; ++i)
        if (!IsCueSlot(sources[i]) || m_cueName[sources[i]][0] == '\0')
            return CuePaste::kNoSuchCue;
    if (!RoomToOpen(*this, n, count))
        return CuePaste::kNoRoom;
    CChange change(*this, count == 1 ? StepLabel("Paste Cue at %d", n) : StepLabel("Paste %d Cues at %d", count, n));
    change.Places({n}, {});
    change.OpenedCues(n, count, sources);
    OpenSlots(*this, n, count);
    // Sources at or after the insertion slot moved up with the rest.
    for (int i = 0; i < count; ++i)
        CopySlot(*this, sources[i] >= n ? sources[i] + count : sources[i], n + i);
    return CuePaste::kPasted;
}

void CShowData::DeleteCue(int n)
{
    if (!IsCueSlot(n))
        return;
    CChange change(*this, StepLabel("Delete Cue %d", n));
    change.Places({n}, {});
    change.DeletedCue(n);
    MoveSlots(*this, n + 1, n, kLastCueSlot - n);
    ResetSlot(*this, kLastCueSlot, "", "");
}

void CShowData::CopyCue(int from, int to)
{
    if (!IsCueSlot(from) || !IsCueSlot(to) || from == to)
        return;
    CChange change(*this, StepLabel("Copy Cue %d to %d", from, to));
    change.Places({to}, {to});
    RegisterSlot(change, *this, to);
    CopySlot(*this, from, to);
}

bool CShowData::RenameCue(int cue, const char* name)
{
    if (!IsCueSlot(cue) || name[0] == '\0' || !StandsInField(name))
        return false;
    CChange change(*this, StepLabel("Rename Cue %d", cue), Gathered(kCueNameField, cue));
    change.Places({cue}, {cue});
    change.Field(kCueTable, m_cueName[cue]);
    CopyCut(m_cueName[cue], kNameSize, name);
    return true;
}

void CShowData::SetCueLevel(int cue, int channel, int level)
{
    if (!IsCueSlot(cue) || channel < 0 || channel >= kChannels)
        return;
    CChange change(*this, StepLabel("%s Level of Cue %d", kChannelNames[channel], cue),
                   Gathered(kLevelField, cue, channel));
    change.Places({cue}, {cue});
    change.Field(kCueTable, m_cueLevel[channel][cue]);
    m_cueLevel[channel][cue] = std::clamp(level, 0, 100);
}

void CShowData::SetCueValue(int cue, CueValue value, int number)
{
    if (!IsCueSlot(cue))
        return;
    struct Column {
        CueValue value;
        int (CShowData::*column)[kCueSlots];
        const char* label;
    };
    static const Column kColumns[] = {
        {CueValue::kFadeTime, &CShowData::m_cueFadeTime, "Fade Time of Cue %d"},
        {CueValue::kChaseSpeed, &CShowData::m_cueChaseSpeed, "Chase Speed of Cue %d"},
        {CueValue::kRunCount, &CShowData::m_cueRunCount, "Run Count of Cue %d"},
        {CueValue::kActiveTime, &CShowData::m_cueActiveTime, "Active Time of Cue %d"},
    };
    for (const Column& c : kColumns) {
        if (c.value != value)
            continue;
        // The arrows step a value one click at a time; only the typed active time gathers.
        const bool typed = value == CueValue::kActiveTime;
        CChange change(*this, StepLabel(c.label, cue), typed ? Gathered(kActiveTimeField, cue) : 0);
        change.Places({cue}, {cue});
        int& field = (this->*c.column)[cue];
        change.Field(kCueTable, field);
        field = number;
    }
}

void CShowData::SetCueChase(int cue, const char* chase)
{
    if (!IsCueSlot(cue))
        return;
    CChange change(*this, StepLabel("Chase of Cue %d", cue));
    change.Places({cue}, {cue});
    change.Field(kCueTable, m_cueChase[cue]);
    CopyCut(m_cueChase[cue], kNameSize, chase);
}

void CShowData::SetCueForward(int cue, bool forward)
{
    if (!IsCueSlot(cue))
        return;
    CChange change(*this, StepLabel("Direction of Cue %d", cue));
    change.Places({cue}, {cue});
    change.Field(kCueTable, m_cueForward[cue]);
    m_cueForward[cue] = forward;
}

int CShowData::FollowCue(int cue)
{
    if (!IsCueSlot(cue) || m_cueName[cue][0] == '\0')
        return 0;
    if (m_cueMark[cue] == 0)
        m_cueMark[cue] = ++m_lastCueMark;
    return m_cueMark[cue];
}
