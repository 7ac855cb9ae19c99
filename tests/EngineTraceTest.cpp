#include "tests/EngineShow.h"

#include <gtest/gtest.h>
#include <string>

using namespace engine_test;

namespace {

// Three cues under automatic forward advance:
//   1 "Open"   chase Up (3 steps), forward, speed 1, endless, fade 10, active 30,
//              Star 100, Color 1 50, Chest 0
//   2 "Middle" chase Down (4 steps), reverse, speed 0, one run, fade 4, active 20,
//              Star 20, Color 1 100, Chest 75
//   3 "End"    chase Blink (2 steps), forward, speed 2, no runs, fade 0, active 15,
//              Star 0, Color 1 0, Chest 100
// Cue 1 advances on tick 31, cue 2 on tick 52, cue 3 on tick 68, after which
// the show repeats every 68 ticks (only cue 1's first Chest fade differs).
std::unique_ptr<CShowData> TraceShow()
{
    auto d = NewShow();
    AddSteps(*d, "Up", 1, {1, 2, 3});
    AddSteps(*d, "Down", 4, {4, 3, 2, 1});
    AddSteps(*d, "Blink", 8, {1, 2});
    SetCue(*d, 1, {"Open", "Up", 10, 30, 1, 20, true});
    SetCue(*d, 2, {"Middle", "Down", 4, 20, 0, 1, false});
    SetCue(*d, 3, {"End", "Blink", 0, 15, 2, 0, true});
    const int levels[3][3] = {{100, 50, 0}, {20, 100, 75}, {0, 0, 100}};
    for (int c = 0; c < 3; ++c) {
        d->m_cueLevel[kStar][c + 1] = levels[c][0];
        d->m_cueLevel[kColor1][c + 1] = levels[c][1];
        d->m_cueLevel[kChest][c + 1] = levels[c][2];
    }
    d->m_running = true;
    d->m_autoAdvance = true;
    d->m_advanceForward = true;
    return d;
}

// State after ticks 1..68 of each period, one character per tick.
const std::string kCues =
    "111111111111111111111111111111"  // 1..30
    "222222222222222222222"           // 31..51
    "3333333333333333"                // 52..67
    "1";                              // 68
const std::string kSteps =
    "122331122331122331122331122331"  // Up every second tick
    "1"                               // cue 2 starts on step 1
    "4321"                            // reverse: wraps at once, then down
    "1111111111111111"                // its one run is spent: stays on 1
    "1"                               // cue 3 starts
    "11" "2222222222222"              // one step after three ticks, then stopped
    "1";
const std::string kChaseRunning =
    "111111111111111111111111111111"
    "1" "1111" "0000000000000000"
    "1" "11111" "0000000000"
    "1";

struct LevelRow {
    int tick;
    int star;
    int color1;
    int chest;
};

const LevelRow kLevels[] = {
    {1, 10, 5, 0},     {2, 20, 10, 0},    {5, 50, 25, 0},    {9, 90, 45, 0},
    {10, 100, 50, 0},  {11, 100, 50, 0},  {31, 100, 50, 0},  {32, 80, 62, 18},
    {33, 60, 74, 36},  {34, 40, 86, 54},  {35, 20, 98, 72},  {36, 20, 100, 75},
    {51, 20, 100, 75}, {52, 20, 100, 75}, {53, 0, 0, 100},   {68, 0, 0, 100},
    {69, 10, 5, 90},   {70, 20, 10, 80},  {78, 100, 50, 0},  {79, 100, 50, 0},
    {100, 80, 62, 18}, {121, 0, 0, 100},  {273, 10, 5, 90},  {300, 100, 50, 0},
};

TEST(EngineTrace, ThreeCueShowPlaysAsWorkedOut)
{
    ASSERT_EQ(kCues.size(), 68u);
    ASSERT_EQ(kSteps.size(), 68u);
    ASSERT_EQ(kChaseRunning.size(), 68u);

    auto d = TraceShow();
    d->StartCue(1);
    std::size_t row = 0;
    for (int t = 1; t <= 300; ++t) {
        d->Tick(nullptr);
        const std::size_t i = (t - 1) % 68;
        ASSERT_EQ(d->m_currentCue, kCues[i] - '0') << "tick " << t;
        ASSERT_EQ(d->m_chaseStep, kSteps[i] - '0') << "tick " << t;
        ASSERT_EQ(d->m_chaseRunning, kChaseRunning[i] == '1') << "tick " << t;
        if (row < std::size(kLevels) && kLevels[row].tick == t) {
            EXPECT_EQ(d->m_level[kStar], kLevels[row].star) << "tick " << t;
            EXPECT_EQ(d->m_level[kColor1], kLevels[row].color1) << "tick " << t;
            EXPECT_EQ(d->m_level[kChest], kLevels[row].chest) << "tick " << t;
            EXPECT_EQ(d->m_level[kAux1], 0) << "tick " << t;
            ++row;
        }
        EXPECT_FALSE(d->m_sendBusy);
    }
    EXPECT_EQ(row, std::size(kLevels));
}

TEST(EngineTrace, ReverseChaseShowsRecordsInStepOrder)
{
    auto d = TraceShow();
    d->StartCue(2);
    // Down keeps step 4 in record 4 and step 1 in record 7.
    const int records[] = {4, 5, 6, 7, 7};
    for (int expected : records) {
        d->Tick(nullptr);
        EXPECT_EQ(d->CurrentStepRecord(), expected);
    }
}

}  // namespace
