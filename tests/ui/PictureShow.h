#pragma once
// A small show for the picture tests: the console's picture rectangle, a few
// colours with their level brushes, and one light step on show.

#include "document/Layout.h"
#include "document/ShowData.h"

#include <memory>

namespace picture_test {

constexpr int kRecord = 7;  // the record the current light step points at

// 18 tiers, red/green/blue/yellow/orange/white circuits, every element present,
// current step = record kRecord with every lamp off.
inline std::unique_ptr<CShowData> MakeShow(int tiers = 18)
{
    auto show = std::make_unique<CShowData>();
    show->m_pictureLeft = 360;
    show->m_pictureTop = 50;
    show->m_pictureRight = 780;
    show->m_pictureBottom = 600;
    DefineColor(*show, 0, 255, 255, 255);
    DefineColor(*show, 1, 0, 0, 255);
    DefineColor(*show, 2, 255, 0, 0);
    DefineColor(*show, 3, 0, 255, 0);
    DefineColor(*show, 4, 255, 255, 0);
    DefineColor(*show, 5, 255, 150, 0);
    show->m_tierCount = tiers;
    const int circuitColor[kCircuits] = {2, 3, 1, 4, 5, 0};
    for (int t = 0; t < kTiers; ++t) {
        show->m_tierPresent[t] = t < tiers;
        for (int c = 0; c < kCircuits; ++c)
            show->m_tierColor[t][c] = circuitColor[c];
    }
    show->m_chestPresent = show->m_outlinePresent = show->m_starPresent = show->m_crossPresent = true;
    for (int c = 0; c < kCircuits; ++c) {
        show->m_chestColor[c] = 4;
        show->m_outlineColor[c] = c % 2 == 0 ? 3 : 1;
    }
    show->m_starColor = 4;
    show->m_crossColor = 0;
    show->m_chaseStep = 1;
    show->m_chaseStepRecord[1] = kRecord;
    return show;
}

inline void AllLampsOn(CShowData& show)
{
    for (int t = 0; t < kTiers; ++t)
        for (int c = 0; c < kCircuits; ++c)
            show.m_stepTierLamps[kRecord][t][c] = 1;
    for (int c = 0; c < kCircuits; ++c)
        show.m_stepChestLamps[kRecord][c] = show.m_stepOutlineLamps[kRecord][c] = 1;
}

inline void AllLevels(CShowData& show, int level)
{
    for (int k = 0; k < kChannels; ++k)
        show.m_level[k] = level;
}

}  // namespace picture_test
