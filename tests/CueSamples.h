#pragma once
// Cues whose every field is derived from one number, so a test can tell which cue a
// slot holds and that all of its fields travelled with it.

#include "document/ShowData.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace cue_samples {

inline std::string ChaseOf(int seed)
{
    return "Chase " + std::to_string(seed % 5);
}

inline void Fill(CShowData& d, int slot, int seed)
{
    std::snprintf(d.m_cueName[slot], kNameSize, "Sample %d", seed);
    std::snprintf(d.m_cueChase[slot], kNameSize, "%s", ChaseOf(seed).c_str());
    d.m_cueFadeTime[slot] = seed % 90 + 1;
    d.m_cueActiveTime[slot] = seed * 3 + 2;
    d.m_cueChaseSpeed[slot] = seed % 7 + 1;
    d.m_cueRunCount[slot] = seed % 19 + 1;
    d.m_cueForward[slot] = seed % 2 == 1;
    for (int k = 0; k < kChannels; ++k)
        d.m_cueLevel[k][slot] = (seed * 7 + k * 3) % 101;
}

// Every field of a slot as one text. Numbers are appended piece by piece:
// `" " + std::to_string(...)` trips a false -Wrestrict of GCC 12 at -O3.
inline std::string Fields(const CShowData& d, int s)
{
    std::string text = std::string(d.m_cueName[s]) + "|" + d.m_cueChase[s];
    for (int n : {d.m_cueFadeTime[s], d.m_cueActiveTime[s], d.m_cueChaseSpeed[s], d.m_cueRunCount[s],
                  static_cast<int>(d.m_cueForward[s])})
        text.append(" ").append(std::to_string(n));
    for (const auto& channel : d.m_cueLevel)
        text.append(" ").append(std::to_string(channel[s]));
    return text;
}

// The seed of the sample cue in `slot`: 0 for a default cue, -1 for an empty slot,
// -2 when its fields do not belong together.
inline int Sample(const CShowData& d, int slot)
{
    static CShowData* const expected = [] {
        auto* e = new CShowData();  // slot 1 a default cue, slot 2 empty, slot 3 scratch
        std::strcpy(e->m_cueName[1], "Default Cue Name");
        std::strcpy(e->m_cueChase[1], "# none");
        return e;
    }();
    const std::string fields = Fields(d, slot);
    int seed = 0;
    if (std::sscanf(d.m_cueName[slot], "Sample %d", &seed) == 1) {
        Fill(*expected, 3, seed);
        return fields == Fields(*expected, 3) ? seed : -2;
    }
    return fields == Fields(*expected, 1) ? 0 : (fields == Fields(*expected, 2) ? -1 : -2);
}

}  // namespace cue_samples
