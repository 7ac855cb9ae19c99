#include "document/ShowData.h"
#include "engine/Repaint.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

// The tree picture's rectangle in the console window's client coordinates.
constexpr int kPictureLeft = 360;
constexpr int kPictureTop = 50;
constexpr int kPictureRight = 780;
constexpr int kPictureBottom = 600;

bool IsCueSlot(int cue)
{
    return cue >= 0 && cue < kCueSlots;
}

int ClampLevel(int64_t level)
{
    return static_cast<int>(std::clamp<int64_t>(level, 0, 100));
}

// Levels in the cue table are meant to be 0..100; anything else is read as the
// nearest level so the current levels always index the brush table safely.
int TargetLevel(const CShowData& d, int channel, int cue)
{
    return ClampLevel(d.m_cueLevel[channel][cue]);
}

// One transmission under the busy guard; a cue change that meets a running
// transmission is marked so the next one carries the channel frames.
void Transmit(CShowData& d, const char* kind, bool markPending)
{
    if (!d.m_sendBusy) {
        d.m_sendBusy = true;
        d.SendFrames(kind);
        d.m_sendBusy = false;
    } else if (markPending) {
        d.m_sendPending = true;
    }
}

}  // namespace

void CShowData::StartCue(int cue)
{
    if (!IsCueSlot(cue))
        return;
    m_currentCue = cue;
    m_currentChase = FindChaseHead(m_cueChase[cue]);
    LoadChase(m_cueChase[cue]);
    m_chaseSpeed = m_cueChaseSpeed[cue];
    m_runCountLeft = m_cueRunCount[cue];
    m_chaseRunning = true;
    m_activeTimeLeft = m_cueActiveTime[cue];
    m_chaseSpeedCounter = m_cueChaseSpeed[cue];

    for (int k = 0; k < kChannels; ++k) {
        const int target = TargetLevel(*this, k, cue);
        if (m_level[k] == target)
            continue;  // an earlier fade may still be counting down here
        const int n = m_cueFadeTime[cue] == 0 ? 1 : m_cueFadeTime[cue];
        m_fadeTicks[k] = n;
        m_fadeTicksLeft[k] = n;
        // Wide arithmetic: a fade of INT_MIN ticks must not trap the division.
        const int64_t step = (static_cast<int64_t>(target) - m_level[k]) / n;
        m_levelStep[k] = static_cast<int>(step);
    }
    Transmit(*this, "cue", true);
}

void CShowData::Tick(IRepaint* window)
{
    if (!IsCueSlot(m_currentCue))
        return;  // nothing in the cue table to play

    CountTickForMaster();
    if (m_chaseSpeedCounter < 0)
        m_chaseSpeedCounter = 0;
    if (m_cueChase[m_currentCue][0] != '\0') {
        if (m_chaseSpeedCounter != 0) {
            --m_chaseSpeedCounter;
        } else if (m_chaseRunning) {
            if (m_cueForward[m_currentCue])
                NextStep();
            else
                PreviousStep();
            m_chaseSpeedCounter = m_chaseSpeed;
        }
    }

    bool changed = false;
    for (int k = 0; k < kChannels; ++k) {
        const int target = TargetLevel(*this, k, m_currentCue);
        if (m_currentCue == 0) {
            m_level[k] = target;
            changed = true;
        } else if (m_fadeTicksLeft[k] > 0) {
            --m_fadeTicksLeft[k];
            if (m_level[k] != target) {
                m_level[k] = ClampLevel(static_cast<int64_t>(m_level[k]) + m_levelStep[k]);
                changed = true;
            }
        } else {
            m_level[k] = target;
            changed = true;
        }
    }

    if (m_activeTimeLeft > 0)
        --m_activeTimeLeft;
    else
        AutoAdvance();

    if (changed && window != nullptr)
        window->InvalidateRect(kPictureLeft, kPictureTop, kPictureRight, kPictureBottom, false);

    MarkStaleLevelsDue();
    Transmit(*this, "chase", false);
}

void CShowData::NextCue()
{
    // Past the last slot there is no name to read: wrap as at any gap.
    const bool nextNamed = m_currentCue >= 0 && m_currentCue < kCueSlots - 1 &&
                           m_cueName[m_currentCue + 1][0] != '\0';
    StartCue(nextNamed ? m_currentCue + 1 : 1);
    Transmit(*this, "cue", true);
}

void CShowData::PreviousCue()
{
    if (m_currentCue == 1)
        return;
    // A current cue of 0 (or a stray value) has no previous slot to start.
    if (m_currentCue <= 0 || m_currentCue > kCueSlots)
        return;
    StartCue(m_currentCue - 1);
    m_chaseRunning = true;
    Transmit(*this, "cue", true);
}

void CShowData::AutoAdvance()
{
    if (!m_autoAdvance)
        return;
    if (m_advanceForward)
        NextCue();
    else
        PreviousCue();
}
