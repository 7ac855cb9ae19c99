#pragma once
// Small builders for engine tests: chases as runs of step records, cues with their
// parameters, and a window double that records repaint requests.

#include "document/ShowData.h"
#include "engine/Repaint.h"

#include <cstring>
#include <initializer_list>
#include <memory>
#include <vector>

namespace engine_test {

inline std::unique_ptr<CShowData> NewShow()
{
    return std::make_unique<CShowData>();
}

// Fills records first.. with one step each, numbered as given.
inline void AddSteps(CShowData& d, const char* chase, int firstRecord, std::initializer_list<int> steps)
{
    int r = firstRecord;
    for (int step : steps) {
        std::strcpy(d.m_stepChase[r], chase);
        std::strcpy(d.m_stepText[r], "none");
        d.m_stepNumber[r] = step;
        ++r;
    }
}

// A chase of steps 1..n in records first..first+n-1.
inline void AddChase(CShowData& d, const char* chase, int firstRecord, int n)
{
    for (int i = 0; i < n; ++i) {
        std::strcpy(d.m_stepChase[firstRecord + i], chase);
        d.m_stepNumber[firstRecord + i] = i + 1;
    }
}

struct CueSpec {
    const char* name;
    const char* chase;
    int fade;
    int active;
    int speed;
    int runs;
    bool forward;
};

inline void SetCue(CShowData& d, int slot, const CueSpec& c)
{
    std::strcpy(d.m_cueName[slot], c.name);
    std::strcpy(d.m_cueChase[slot], c.chase);
    d.m_cueFadeTime[slot] = c.fade;
    d.m_cueActiveTime[slot] = c.active;
    d.m_cueChaseSpeed[slot] = c.speed;
    d.m_cueRunCount[slot] = c.runs;
    d.m_cueForward[slot] = c.forward;
}

inline void SetAllLevels(CShowData& d, int slot, int level)
{
    for (int k = 0; k < kChannels; ++k)
        d.m_cueLevel[k][slot] = level;
}

struct Invalidation {
    int left, top, right, bottom;
    bool erase;
};

class RecordingRepaint : public IRepaint {
public:
    void InvalidateRect(int left, int top, int right, int bottom, bool erase) override
    {
        calls.push_back({left, top, right, bottom, erase});
    }
    std::vector<Invalidation> calls;
};

}  // namespace engine_test
