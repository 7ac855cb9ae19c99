#include "widgets/TreeGeometry.h"
#include "tests/ui/PictureShow.h"

#include <gtest/gtest.h>

using namespace picture_test;

namespace {

std::unique_ptr<CTreeGeometry> Compute(const CShowData& show)
{
    auto g = std::make_unique<CTreeGeometry>();
    ComputeTreeGeometry(show, *g);
    return g;
}

bool SameBrush(const CBrush& a, const CBrush& b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue && a.made == b.made;
}

}  // namespace

TEST(TreeGeometry, StepsScaleWithTheTierCountInIntegerArithmetic)
{
    struct Case {
        int tiers, column, row, chest, outline;
    } cases[] = {
        {18, 12, 28, 24, 8},
        {9, 24, 56, 48, 16},
        {5, 43, 100, 86, 28},  // 12*13/5 = 31 truncated, and so on
        {1, 216, 504, 432, 144},
    };
    for (const Case& c : cases) {
        auto g = Compute(*MakeShow(c.tiers));
        EXPECT_EQ(g->tierCount, c.tiers);
        EXPECT_EQ(g->columnStep, c.column) << c.tiers << " tiers";
        EXPECT_EQ(g->rowStep, c.row) << c.tiers << " tiers";
        EXPECT_EQ(g->chestStep, c.chest) << c.tiers << " tiers";
        EXPECT_EQ(g->outlineStep, c.outline) << c.tiers << " tiers";
    }
}

TEST(TreeGeometry, TierCountOutsideTheTableDrawsNoTiersButKeepsStarAndCross)
{
    for (int tiers : {0, -1, 19, 1000}) {
        auto show = MakeShow(tiers);
        AllLampsOn(*show);
        AllLevels(*show, 100);
        auto g = Compute(*show);
        EXPECT_EQ(g->tierCount, 0) << tiers;
        EXPECT_EQ(g->columnStep, 0) << tiers;
        for (const CTierRow& row : g->row) {
            EXPECT_EQ(row.imageCount, 0) << tiers;
            EXPECT_EQ(row.chestBarCount, 0) << tiers;
        }
        EXPECT_TRUE(g->star.state.lit) << tiers;
        EXPECT_TRUE(g->cross.state.lit) << tiers;
    }
}

TEST(TreeGeometry, TierRowsFormATriangleOfLampImages)
{
    struct Case {
        int tiers, tier, count, firstX, lastX, y;
    } cases[] = {
        {18, 1, 2, 559, 571, 70},      // top row: x = 12*(i-1) + 360 + 211
        {18, 2, 4, 547, 583, 98},
        {18, 18, 36, 355, 775, 546},   // widest row reaches just outside the picture's left edge
        {9, 3, 6, 499, 619, 210},      // column step 24, row step 56
        {9, 9, 18, 355, 763, 546},
    };
    for (const Case& c : cases) {
        auto g = Compute(*MakeShow(c.tiers));
        const CTierRow& row = g->row[c.tier - 1];
        ASSERT_EQ(row.imageCount, c.count) << c.tiers << "/" << c.tier;
        EXPECT_EQ(row.image[0].x, c.firstX) << c.tiers << "/" << c.tier;
        EXPECT_EQ(row.image[c.count - 1].x, c.lastX) << c.tiers << "/" << c.tier;
        for (int i = 0; i < c.count; ++i)
            EXPECT_EQ(row.image[i].y, c.y) << c.tiers << "/" << c.tier << " image " << i;
    }
}

TEST(TreeGeometry, RowsBeyondTheTierCountStayEmpty)
{
    auto g = Compute(*MakeShow(9));
    EXPECT_EQ(g->row[8].imageCount, 18);
    for (int t = 10; t <= kTiers; ++t)
        EXPECT_EQ(g->row[t - 1].imageCount, 0) << t;
}

TEST(TreeGeometry, ChestBarsSitAboveEachPairOfLampsOnlyWhenTheRailIsPresent)
{
    auto show = MakeShow(18);
    auto g = Compute(*show);
    const CTierRow& row2 = g->row[1];
    ASSERT_EQ(row2.chestBarCount, 2);
    EXPECT_EQ(row2.chestBar[0].x, 549);  // 360 + 213 + 24*0 - 12*2
    EXPECT_EQ(row2.chestBar[1].x, 573);
    EXPECT_EQ(row2.chestBar[0].y, 93);   // 28*2 + 50 - 13
    EXPECT_EQ(g->row[17].chestBarCount, 18);

    show->m_chestPresent = false;
    g = Compute(*show);
    for (const CTierRow& row : g->row)
        EXPECT_EQ(row.chestBarCount, 0);
}

TEST(TreeGeometry, OutlineLampsSitAtBothEndsAndRotateTheirCircuitByTier)
{
    auto g = Compute(*MakeShow(18));
    // Circuits are 0-based: tiers 1, 4... show 3 and 6; 2, 5... show 2 and 5; 3, 6... show 1 and 4.
    const int leftCircuit[6] = {2, 1, 0, 2, 1, 0};
    for (int t = 1; t <= 6; ++t) {
        const CTierRow& row = g->row[t - 1];
        EXPECT_EQ(row.outline[0].circuit, leftCircuit[t - 1]) << t;
        EXPECT_EQ(row.outline[1].circuit, leftCircuit[t - 1]) << t;
        EXPECT_EQ(row.outline[2].circuit, leftCircuit[t - 1] + 3) << t;
        EXPECT_EQ(row.outline[3].circuit, leftCircuit[t - 1] + 3) << t;
    }
    const CTierRow& row1 = g->row[0];
    EXPECT_EQ(row1.outline[0].at.x, 543);  // 360 + 195 - 12
    EXPECT_EQ(row1.outline[1].at.x, 551);
    EXPECT_EQ(row1.outline[2].at.x, 591);  // 360 + 235 + 8*1 - 12
    EXPECT_EQ(row1.outline[3].at.x, 599);
    EXPECT_EQ(row1.outline[0].at.y, 65);
    // Right-end lamps stay just outside the last lamp image of every row.
    for (int t = 1; t <= kTiers; ++t) {
        const CTierRow& row = g->row[t - 1];
        EXPECT_GT(row.outline[2].at.x - 2, row.image[row.imageCount - 1].x + 14) << t;
        EXPECT_LT(row.outline[1].at.x + 2, row.image[0].x) << t;
    }
}

TEST(TreeGeometry, TierLampIsLitOnlyWhenItsStepLampIsOnAndItsColourLevelAboveZero)
{
    auto show = MakeShow(18);
    show->m_stepTierLamps[kRecord][4][0] = 1;  // tier 5, circuit 1 (red)
    show->m_stepTierLamps[kRecord][4][1] = 1;  // tier 5, circuit 2 (green) at level 0
    show->m_level[kColor1] = 50;
    show->m_level[kColor2] = 0;
    show->m_level[kColor3] = 100;               // blue up, but its lamp is off
    auto g = Compute(*show);
    const CTierRow& row = g->row[4];
    EXPECT_TRUE(row.stripe[0].lit);
    EXPECT_TRUE(SameBrush(row.stripe[0].brush, CBrush{127, 0, 0, true}));
    EXPECT_FALSE(row.stripe[1].lit);
    EXPECT_FALSE(row.stripe[2].lit);
    EXPECT_FALSE(g->row[3].stripe[0].lit);     // tier 4 has the level but not the lamp
}

TEST(TreeGeometry, ChestAndOutlineAreLitAtLevelZeroWithTheLevelZeroBrush)
{
    auto show = MakeShow(18);
    show->m_stepChestLamps[kRecord][2] = 1;
    show->m_stepOutlineLamps[kRecord][2] = 1;  // shown by tiers 1, 4, 7... on the left
    auto g = Compute(*show);
    EXPECT_TRUE(g->chest[2].lit);
    EXPECT_TRUE(SameBrush(g->chest[2].brush, CBrush{0, 0, 0, true}));
    EXPECT_FALSE(g->chest[1].lit);
    EXPECT_TRUE(g->row[0].outline[0].state.lit);
    EXPECT_FALSE(g->row[0].outline[2].state.lit);
    EXPECT_FALSE(g->row[1].outline[0].state.lit);

    show->m_outlinePresent = false;
    g = Compute(*show);
    EXPECT_FALSE(g->row[0].outline[0].state.lit);
}

TEST(TreeGeometry, StarAndCrossNeedTheirLevelAboveZeroAndTheirPresence)
{
    struct Case {
        int level;
        bool present, lit;
    } cases[] = {{0, true, false}, {1, true, true}, {100, true, true}, {100, false, false}, {-4, true, false}};
    for (const Case& c : cases) {
        auto show = MakeShow(18);
        show->m_level[kStar] = show->m_level[kCross] = c.level;
        show->m_starPresent = show->m_crossPresent = c.present;
        auto g = Compute(*show);
        EXPECT_EQ(g->star.state.lit, c.lit) << c.level << " " << c.present;
        EXPECT_EQ(g->cross.state.lit, c.lit) << c.level << " " << c.present;
    }
}

TEST(TreeGeometry, BadColourIndexesAndLevelsNeverReadOutsideTheBrushTable)
{
    auto show = MakeShow(18);
    AllLampsOn(*show);
    show->m_tierColor[0][0] = 18;
    show->m_tierColor[0][1] = -1;
    show->m_chestColor[0] = 1000000;
    show->m_outlineColor[2] = -7;
    show->m_starColor = 99;
    show->m_level[kColor1] = 250;
    show->m_level[kColor3] = 250;
    show->m_level[kColor4] = -30;
    show->m_level[kStar] = 100;
    auto g = Compute(*show);
    const CTierRow& row = g->row[0];
    EXPECT_FALSE(row.stripe[0].brush.made);
    EXPECT_FALSE(row.stripe[1].brush.made);
    EXPECT_FALSE(g->chest[0].brush.made);
    EXPECT_FALSE(row.outline[0].state.brush.made);
    EXPECT_FALSE(g->star.state.brush.made);
    EXPECT_TRUE(SameBrush(row.stripe[2].brush, show->m_levelBrush[1][100]));  // too high: full level
    EXPECT_TRUE(SameBrush(row.stripe[3].brush, show->m_levelBrush[4][0]));    // negative: level 0
    EXPECT_FALSE(row.stripe[3].lit);
    // A colour index the layout never defined has unmade brushes.
    EXPECT_FALSE(LevelBrush(*show, 9, 50).made);
}

TEST(TreeGeometry, CurrentStepOutsideThePoolShowsAllLampsOff)
{
    auto show = MakeShow(18);
    AllLevels(*show, 100);
    show->m_chaseStepRecord[1] = kStepRecords + 5;
    for (int c = 0; c < kCircuits; ++c)
        show->m_stepChestLamps[0][c] = 0;
    auto g = Compute(*show);
    for (int t = 0; t < kTiers; ++t)
        for (int c = 0; c < kCircuits; ++c)
            EXPECT_FALSE(g->row[t].stripe[c].lit);
    EXPECT_FALSE(g->chest[0].lit);
}
