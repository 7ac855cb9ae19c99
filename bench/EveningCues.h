#pragma once
// A cue list of an evening's size for the cue table benchmarks, and the cues a
// paste copies out of it.

#include "document/ShowData.h"

#include <cstdio>
#include <memory>
#include <vector>

inline std::unique_ptr<CShowData> EveningList(int count)
{
    auto doc = std::make_unique<CShowData>();
    for (int s = 1; s <= count; ++s) {
        std::snprintf(doc->m_cueName[s], kNameSize, "Cue number %d of the evening", s);
        std::snprintf(doc->m_cueChase[s], kNameSize, "Chase %d", s % 300);
        for (int k = 0; k < kChannels; ++k)
            doc->m_cueLevel[k][s] = (s + k) % 101;
        doc->m_cueFadeTime[s] = s % 600;
        doc->m_cueActiveTime[s] = s;
    }
    return doc;
}

// `count` cue numbers spread over a list of `listed` cues.
inline std::vector<int> PasteSources(int count, int listed)
{
    std::vector<int> src;
    for (int i = 0; i < count; ++i)
        src.push_back(1 + (i * 7) % listed);
    return src;
}
