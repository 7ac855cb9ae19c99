#include "widgets/TreeGeometry.h"

namespace {

int ClampLevel(int level)
{
    return level < 0 ? 0 : (level > kLevels - 1 ? kLevels - 1 : level);
}

// Levels `levels` on the lamps of light step record `record`; a record outside the
// pool shows all dark.
CPictureState StepState(const CShowData& show, const int* levels, int record)
{
    if (record < 0 || record >= kStepRecords)
        record = 0;
    return {levels, show.m_stepTierLamps[record], show.m_stepChestLamps[record], show.m_stepOutlineLamps[record]};
}

// Outline circuits (left, right) a tier shows: tiers 1, 4, 7... show 3 and 6,
// tiers 2, 5, 8... show 2 and 5, tiers 3, 6, 9... show 1 and 4 (as indexes 0..5).
void OutlineCircuits(int tier, int& left, int& right)
{
    static const int kLeft[3] = {0, 2, 1};
    left = kLeft[tier % 3];
    right = left + 3;
}

void SetPolygon(CPolygon& polygon, const int (*offsets)[2], int count, int left, int top)
{
    polygon.count = count;
    for (int i = 0; i < count; ++i)
        polygon.point[i] = {left + offsets[i][0], top + offsets[i][1]};
}

void ComputeRow(const CShowData& show, const CPictureState& lamps, int t, CTreeGeometry& g)
{
    CTierRow& row = g.row[t - 1];
    PlaceTierRow(show, g, t, show.m_chestPresent, row);
    for (int c = 0; c < kCircuits; ++c) {
        const int level = lamps.level[kColor1 + c];
        row.stripe[c].brush = LevelBrush(show, show.m_tierColor[t - 1][c], level);
        row.stripe[c].lit = level > 0 && lamps.tier[t - 1][c] != 0;
    }
    for (COutlineLamp& lamp : row.outline) {
        lamp.state.brush = LevelBrush(show, show.m_outlineColor[lamp.circuit], lamps.level[kOutline]);
        lamp.state.lit = show.m_outlinePresent && lamps.outline[lamp.circuit] != 0;
    }
}

const int kStarShape[10][2] = {{70, 40}, {80, 60}, {100, 60}, {85, 77}, {94, 100},
                               {70, 87}, {46, 100}, {55, 77}, {40, 60}, {60, 60}};
const int kCrossShape[12][2] = {{340, 40}, {340, 55}, {370, 55}, {370, 70}, {340, 70}, {340, 110},
                                {320, 110}, {320, 70}, {290, 70}, {290, 55}, {320, 55}, {320, 40}};

}  // namespace

CBrush LevelBrush(const CShowData& show, int color, int level)
{
    if (color < 0 || color >= kColors)
        return CBrush{0, 0, 0, false};
    return show.m_levelBrush[color][ClampLevel(level)];
}

void StripePolygon(int c, CPoint (&p)[6])
{
    const int y = 3 * c;
    p[0] = {6, y};
    p[1] = {11, y + 2};
    p[2] = {11, y + 4};
    p[3] = {6, y + 4};
    p[4] = {1, y + 4};
    p[5] = {1, y + 2};
}

void ChestDiamond(int j, CPoint (&p)[6])
{
    const int x = 4 * j;
    p[0] = {x, 25};
    p[1] = {x + 1, 26};
    p[2] = {x + 1, 27};
    p[3] = {x, 28};
    p[4] = {x - 1, 27};
    p[5] = {x - 1, 26};
}

void OutlineDiamond(CPoint at, CPoint (&p)[6])
{
    p[0] = at;
    p[1] = {at.x + 2, at.y + 2};
    p[2] = {at.x + 2, at.y + 4};
    p[3] = {at.x, at.y + 6};
    p[4] = {at.x - 2, at.y + 4};
    p[5] = {at.x - 2, at.y + 2};
}

void SetTreeSpacing(int n, CTreeGeometry& g)
{
    const bool drawTiers = n >= 1 && n <= kTiers;
    g.tierCount = drawTiers ? n : 0;
    g.columnStep = drawTiers ? 12 * (kTiers - n) / n + 12 : 0;
    g.rowStep = drawTiers ? 28 * (kTiers - n) / n + 28 : 0;
    g.chestStep = drawTiers ? 24 * (kTiers - n) / n + 24 : 0;
    g.outlineStep = drawTiers ? 8 * (kTiers - n) / n + 8 : 0;
}

void PlaceTierRow(const CShowData& show, const CTreeGeometry& g, int t, bool chestBars, CTierRow& row)
{
    const int left = show.m_pictureLeft;
    const int top = show.m_pictureTop;
    row = CTierRow{};
    row.imageCount = 2 * t;
    for (int i = 0; i < row.imageCount; ++i)
        row.image[i] = {g.columnStep * (i - t) + left + 211, g.rowStep * t + top - 8};

    const int barY = g.rowStep * t + top - 13;
    row.chestBarCount = chestBars ? t : 0;
    for (int k = 0; k < row.chestBarCount; ++k)
        row.chestBar[k] = {left + 213 + g.chestStep * k - g.columnStep * t, barY};

    int leftCircuit = 0, rightCircuit = 0;
    OutlineCircuits(t, leftCircuit, rightCircuit);
    const int index[kOutlineLampsPerTier] = {0, 1, 3 * t - 2, 3 * t - 1};
    for (int k = 0; k < kOutlineLampsPerTier; ++k) {
        const bool leftEnd = k < 2;
        row.outline[k].circuit = leftEnd ? leftCircuit : rightCircuit;
        row.outline[k].at = {left + (leftEnd ? 195 : 235) + g.outlineStep * index[k] - g.columnStep * t, barY};
    }
}

void PlaceStarAndCross(const CShowData& show, CTreeGeometry& g)
{
    SetPolygon(g.star, kStarShape, 10, show.m_pictureLeft, show.m_pictureTop);
    SetPolygon(g.cross, kCrossShape, 12, show.m_pictureLeft, show.m_pictureTop);
}

void ComputeTreeGeometry(const CShowData& show, CTreeGeometry& g)
{
    // At the levels the tree is sent: the grand master and the blackout applied.
    int shown[kChannels];
    for (int k = 0; k < kChannels; ++k)
        shown[k] = show.ShownLevel(k);
    ComputeTreeGeometry(show, StepState(show, shown, show.CurrentStepRecord()), g);
}

void ComputeTreeGeometry(const CShowData& show, const int (&levels)[kChannels], int stepRecord, CTreeGeometry& g)
{
    ComputeTreeGeometry(show, StepState(show, levels, stepRecord), g);
}

void ComputeTreeGeometry(const CShowData& show, const CPictureState& lamps, CTreeGeometry& g)
{
    SetTreeSpacing(show.m_tierCount, g);
    for (int t = 1; t <= kTiers; ++t) {
        if (t <= g.tierCount) {
            ComputeRow(show, lamps, t, g);
        } else {
            g.row[t - 1] = CTierRow{};
        }
    }

    const int* level = lamps.level;
    for (int j = 0; j < kCircuits; ++j) {
        g.chest[j].brush = LevelBrush(show, show.m_chestColor[j], level[kChest]);
        g.chest[j].lit = lamps.chest[j] != 0;
    }

    PlaceStarAndCross(show, g);
    g.star.state.brush = LevelBrush(show, show.m_starColor, level[kStar]);
    g.star.state.lit = show.m_starPresent && level[kStar] > 0;
    g.cross.state.brush = LevelBrush(show, show.m_crossColor, level[kCross]);
    g.cross.state.lit = show.m_crossPresent && level[kCross] > 0;
}
