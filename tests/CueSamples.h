#pragma once
// Cues whose every field is derived from one number, so a test can tell which cue
// a slot holds and that all of its fields travelled together.

#include "document/ShowData.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace cue_samples {

// The numbers of sample `seed`: fade, active time, speed, run count, direction, 14 levels.
inline int Number(int seed, int field)
{
    switch (field) {
    case 0: return seed % 90 + 1;
    case 1: return seed * 3 + 2;
    case 2: return seed % 7 + 1;
    case 3: return seed % 19 + 1;
    case 4: return seed % 2;
    default: return (seed * 7 + (field - 5) * 3) % 101;
    }
}
constexpr int kNumbers = 5 + kChannels;

inline int Stored(const CShowData& d, int slot, int field)
{
    switch (field) {
    case 0: return d.m_cueFadeTime[slot];
    case 1: return d.m_cueActiveTime[slot];
    case 2: return d.m_cueChaseSpeed[slot];
    case 3: return d.m_cueRunCount[slot];
    case 4: return d.m_cueForward[slot] ? 1 : 0;
    default: return d.m_cueLevel[field - 5][slot];
    }
}

inline std::string ChaseOf(int seed)
{
    return "Chase " + std::to_string(seed % 5);
}

inline void Fill(CShowData& d, int slot, int seed)
{
    std::snprintf(d.m_cueName[slot], kNameSize, "Sample %d", seed);
    std::snprintf(d.m_cueChase[slot], kNameSize, "%s", ChaseOf(seed).c_str());
    d.m_cueFadeTime[slot] = Number(seed, 0);
    d.m_cueActiveTime[slot] = Number(seed, 1);
    d.m_cueChaseSpeed[slot] = Number(seed, 2);
    d.m_cueRunCount[slot] = Number(seed, 3);
    d.m_cueForward[slot] = Number(seed, 4) == 1;
    for (int k = 0; k < kChannels; ++k)
        d.m_cueLevel[k][slot] = Number(seed, 5 + k);
}

// The seed of the sample cue in `slot`; 0 for a default cue, -1 for an empty slot,
// -2 when the fields do not belong together.
inline int Sample(const CShowData& d, int slot)
{
    int seed = 0;
    const char* name = d.m_cueName[slot];
    const bool isDefault = std::strcmp(name, "Default Cue Name") == 0;
    if (!isDefault && name[0] != '\0' && std::sscanf(name, "Sample %d", &seed) != 1)
        return -2;
    const std::string chase = isDefault ? "# none" : (name[0] == '\0' ? "" : ChaseOf(seed));
    bool same = chase == d.m_cueChase[slot];
    for (int f = 0; f < kNumbers; ++f)
        same = same && Stored(d, slot, f) == (seed == 0 ? 0 : Number(seed, f));
    if (!same)
        return -2;
    return name[0] == '\0' ? -1 : seed;
}

}  // namespace cue_samples
