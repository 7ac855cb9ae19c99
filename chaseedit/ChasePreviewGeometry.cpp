#include "chaseedit/ChasePreviewGeometry.h"

void ComputeChasePreview(const CShowData& show, CTreeGeometry& g)
{
    constexpr int kFull = kLevels - 1;
    SetTreeSpacing(kTiers, g);
    const int r = show.CurrentStepRecord();
    for (int t = 1; t <= kTiers; ++t) {
        // An absent tier keeps its place: the rows around it do not close up.
        const bool present = show.m_tierPresent[t - 1];
        CTierRow& row = g.row[t - 1];
        PlaceTierRow(show, g, t, show.m_chestPresent && present, row);
        if (!present)
            row.imageCount = 0;
        for (int c = 0; c < kCircuits; ++c) {
            row.stripe[c].brush = LevelBrush(show, show.m_tierColor[t - 1][c], kFull);
            row.stripe[c].lit = show.m_stepTierLamps[r][t - 1][c] != 0;
        }
        for (COutlineLamp& lamp : row.outline) {
            lamp.state.brush = LevelBrush(show, show.m_outlineColor[lamp.circuit], kFull);
            lamp.state.lit = present && show.m_outlinePresent && show.m_stepOutlineLamps[r][lamp.circuit] != 0;
        }
    }
    for (int j = 0; j < kCircuits; ++j) {
        g.chest[j].brush = LevelBrush(show, show.m_chestColor[j], kFull);
        g.chest[j].lit = show.m_stepChestLamps[r][j] != 0;
    }
    PlaceStarAndCross(show, g);
    g.star.state.brush = LevelBrush(show, show.m_starColor, kFull);
    g.star.state.lit = show.m_starPresent && show.m_level[kStar] > 0;
    g.cross.state.brush = LevelBrush(show, show.m_crossColor, kFull);
    g.cross.state.lit = show.m_crossPresent && show.m_level[kCross] > 0;
}
