#include "engine/LampTestPlan.h"
#include "tests/LampTestLayouts.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

struct Lit {
    int lamps;     // lamps on, tiers, chest rail and outline together
    int channels;  // channels above 0
};

Lit Count(const CLampTestState& s)
{
    Lit lit{0, 0};
    for (int c = 0; c < kCircuits; ++c) {
        for (int t = 0; t < kTiers; ++t)
            lit.lamps += s.tier[t][c] != 0;
        lit.lamps += (s.chest[c] != 0) + (s.outline[c] != 0);
    }
    for (int level : s.level)
        lit.channels += level > 0;
    return lit;
}

class LampTestPlanTest : public ::testing::Test {
protected:
    std::vector<CLampTestStep> Plan(ETestLayout layout, ELampPattern pattern, int level = 70, int channel = kColor1,
                                    bool ramp = true)
    {
        MakeTestLayout(*doc, layout);
        return PlanLampTest(*doc, {pattern, level, channel, ramp});
    }
    std::unique_ptr<CShowData> doc = std::make_unique<CShowData>();
};

// How many steps each pattern has on each structure, where it begins and ends,
// and how much one step lights.
TEST_F(LampTestPlanTest, EachPatternStepsThroughThePartsTheLayoutHasInOrder)
{
    using E = ETestLayout;
    using P = ELampPattern;
    const struct {
        E layout;
        P pattern;
        size_t steps;
        const char* first;
        const char* last;
        Lit firstLit;
    } cases[] = {
        {E::kEveryPart, P::kAllOff, 1, "All Off", "All Off", {0, 0}},
        {E::kEveryPart, P::kAllOn, 1, "All On at 70%", "All On at 70%", {36, 14}},
        {E::kBare, P::kAllOn, 1, "All On at 70%", "All On at 70%", {12, 14}},
        {E::kEveryPart, P::kOneCircuit, 38, "Tier 1 - Circuit 1 - white", "Cross - white", {1, 1}},
        {E::kBare, P::kOneCircuit, 12, "Tier 1 - Circuit 1 - white", "Tier 3 - Circuit 6 - orange", {1, 1}},
        {E::kEveryPart, P::kTierWalk, 4, "Tier 4 - All Circuits", "Tier 1 - All Circuits", {6, 6}},
        {E::kBare, P::kTierWalk, 2, "Tier 3 - All Circuits", "Tier 1 - All Circuits", {6, 6}},
        {E::kBare, P::kColumnWalk, 6, "Circuit 1 - Every Tier", "Circuit 6 - Every Tier", {2, 1}},
        {E::kEveryPart, P::kAlternate, 2, "Odd Circuits - 1, 3, 5", "Even Circuits - 2, 4, 6", {18, 5}},
        {E::kBare, P::kAlternate, 2, "Odd Circuits - 1, 3, 5", "Even Circuits - 2, 4, 6", {6, 3}},
        {E::kEveryPart, P::kDimmer, 20, "Color 1 at 0%", "Color 1 at 10%", {4, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        std::vector<CLampTestStep> steps = Plan(c.layout, c.pattern);
        ASSERT_EQ(steps.size(), c.steps);
        EXPECT_EQ(steps.front().label, c.first);
        EXPECT_EQ(steps.back().label, c.last);
        Lit lit = Count(steps.front().state);
        EXPECT_EQ(lit.lamps, c.firstLit.lamps);
        EXPECT_EQ(lit.channels, c.firstLit.channels);
    }
}

// One circuit at a time lights that circuit alone, with the one channel that dims
// it; the star and the cross, which have no lamp bits, by their channel alone.
TEST_F(LampTestPlanTest, OneCircuitLightsOneLampWithTheChannelThatDimsIt)
{
    std::vector<CLampTestStep> steps = Plan(ETestLayout::kEveryPart, ELampPattern::kOneCircuit);
    const CLampTestState& tier2c3 = steps[8].state;
    EXPECT_EQ(steps[8].label, "Tier 2 - Circuit 3 - red");
    EXPECT_TRUE(tier2c3.tier[1][2]);
    EXPECT_EQ(tier2c3.level[kColor3], 70);
    EXPECT_EQ(steps[25].label, "Chest Rail - Circuit 2 - red");
    EXPECT_TRUE(steps[25].state.chest[1]);
    EXPECT_EQ(steps[25].state.level[kChest], 70);
    EXPECT_EQ(steps[30].label, "Outline - Circuit 1 - green");
    EXPECT_EQ(steps[30].state.level[kOutline], 70);
    EXPECT_EQ(steps[36].label, "Star - yellow");
    EXPECT_EQ(Count(steps[36].state).lamps, 0);
    EXPECT_EQ(steps[36].state.level[kStar], 70);

    // The structure without tier 2 goes from tier 1 to tier 3.
    steps = Plan(ETestLayout::kBare, ELampPattern::kOneCircuit);
    EXPECT_EQ(steps[6].label, "Tier 3 - Circuit 1 - white");
    for (const CLampTestStep& step : steps)
        for (int c = 0; c < kCircuits; ++c)
            EXPECT_FALSE(step.state.tier[1][c] || step.state.chest[c] || step.state.outline[c]) << step.label;
}

// The dimmer test ramps 0 to 100 and back, or holds at the level, always with the
// lamps its channel dims on; a channel that dims no lamp bits (Aux, Star) lights none.
TEST_F(LampTestPlanTest, DimmerTestRampsOrHoldsItsChannelWithItsLamps)
{
    std::vector<CLampTestStep> ramp = Plan(ETestLayout::kEveryPart, ELampPattern::kDimmer, 70, kColor4);
    std::vector<int> levels;
    for (const CLampTestStep& step : ramp) {
        levels.push_back(step.state.level[kColor4]);
        EXPECT_EQ(Count(step.state).lamps, 4);  // circuit 4 of the four tiers
        EXPECT_TRUE(step.state.tier[3][3]);
    }
    EXPECT_EQ(levels, (std::vector<int>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 90, 80, 70, 60, 50, 40, 30, 20,
                                        10}));
    EXPECT_EQ(ramp[6].label, "Color 4 at 60%");

    const struct {
        ETestLayout layout;
        int channel;
        const char* label;
        int lamps;
    } holds[] = {
        {ETestLayout::kEveryPart, kChest, "Chest at 70%", 6},
        {ETestLayout::kBare, kChest, "Chest at 70%", 0},
        {ETestLayout::kEveryPart, kAux2, "Aux 2 at 70%", 0},
        {ETestLayout::kEveryPart, 99, "Color 1 at 70%", 4},  // an unknown channel is Color 1
    };
    for (const auto& h : holds) {
        std::vector<CLampTestStep> hold = Plan(h.layout, ELampPattern::kDimmer, 70, h.channel, false);
        ASSERT_EQ(hold.size(), 1u);
        EXPECT_EQ(hold[0].label, h.label);
        EXPECT_EQ(Count(hold[0].state).lamps, h.lamps) << h.label;
        EXPECT_EQ(Count(hold[0].state).channels, 1) << h.label;
    }
}

TEST_F(LampTestPlanTest, LevelsAndNamesStayInRange)
{
    EXPECT_EQ(Plan(ETestLayout::kEveryPart, ELampPattern::kAllOn, 250)[0].state.level[kCross], 100);
    EXPECT_EQ(Plan(ETestLayout::kEveryPart, ELampPattern::kAllOn, -5)[0].label, "All On at 0%");
    EXPECT_EQ(ColorName(1), "blue");
    EXPECT_EQ(ColorName(12), "colour 12");
    EXPECT_EQ(ColorName(-1), "colour -1");
    // A tier count the file got wrong never reaches outside the tiers.
    doc->m_tierCount = 40;
    EXPECT_FALSE(TierInLayout(*doc, 19));
    EXPECT_FALSE(TierInLayout(*doc, 0));
}

}  // namespace
