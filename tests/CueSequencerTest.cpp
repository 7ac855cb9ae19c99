#include "tests/EngineShow.h"

#include <climits>
#include <gtest/gtest.h>
#include <vector>

using namespace engine_test;

namespace {

struct FadeCase {
    const char* what;
    int from;
    int to;
    int fade;
    std::vector<int> levels;  // level after ticks 1, 2, ...
};

class Fade : public testing::TestWithParam<FadeCase> {};

TEST_P(Fade, LevelFollowsTruncatedStepThenJumpsToTarget)
{
    const FadeCase& c = GetParam();
    auto d = NewShow();
    SetCue(*d, 1, {"Cue", "", c.fade, 1000, 0, 20, true});
    SetAllLevels(*d, 1, c.to);
    for (int k = 0; k < kChannels; ++k)
        d->m_level[k] = c.from;
    d->StartCue(1);
    for (std::size_t t = 0; t < c.levels.size(); ++t) {
        d->Tick(nullptr);
        for (int k = 0; k < kChannels; ++k)
            ASSERT_EQ(d->m_level[k], c.levels[t]) << c.what << " tick " << t + 1 << " channel " << k;
    }
}

std::vector<int> Climb(int step, int ticks, int last)
{
    std::vector<int> v;
    for (int t = 1; t <= ticks; ++t)
        v.push_back(step * t);
    v.push_back(last);
    return v;
}

INSTANTIATE_TEST_SUITE_P(Channels, Fade, testing::Values(
    FadeCase{"0 to 100 over 30", 0, 100, 30, Climb(3, 30, 100)},
    FadeCase{"100 to 0 over 7", 100, 0, 7, {86, 72, 58, 44, 30, 16, 2, 0, 0}},
    FadeCase{"difference below length", 0, 5, 10, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 5}},
    FadeCase{"fade 0 means one tick", 0, 100, 0, {100, 100}},
    FadeCase{"negative fade sets at once", 0, 60, -4, {60, 60}},
    FadeCase{"37 to 100 over 4", 37, 100, 4, {52, 67, 82, 97, 100}}));

TEST(CueSequencer, FadeFieldsRecordLengthAndStep)
{
    auto d = NewShow();
    SetCue(*d, 1, {"Cue", "", -4, 0, 0, 0, true});
    d->m_cueLevel[kStar][1] = 60;
    SetCue(*d, 2, {"Cue", "", 0, 0, 0, 0, true});
    d->m_cueLevel[kStar][2] = 100;
    d->StartCue(1);
    EXPECT_EQ(d->m_fadeTicks[kStar], -4);
    EXPECT_EQ(d->m_fadeTicksLeft[kStar], -4);
    EXPECT_EQ(d->m_levelStep[kStar], -15);
    d->StartCue(2);
    EXPECT_EQ(d->m_fadeTicks[kStar], 1);
    EXPECT_EQ(d->m_levelStep[kStar], 100);
}

TEST(CueSequencer, ChannelAlreadyAtTargetKeepsItsFadeFields)
{
    auto d = NewShow();
    SetCue(*d, 2, {"Cue", "", 8, 0, 0, 0, true});
    d->m_cueLevel[kChest][2] = 50;
    d->m_cueLevel[kOutline][2] = 40;
    d->m_level[kChest] = 50;
    d->m_fadeTicks[kChest] = 9;
    d->m_fadeTicksLeft[kChest] = 4;
    d->m_levelStep[kChest] = 7;
    d->StartCue(2);
    EXPECT_EQ(d->m_fadeTicks[kChest], 9);
    EXPECT_EQ(d->m_fadeTicksLeft[kChest], 4);
    EXPECT_EQ(d->m_levelStep[kChest], 7);
    EXPECT_EQ(d->m_fadeTicks[kOutline], 8);
    EXPECT_EQ(d->m_levelStep[kOutline], 5);
}

TEST(CueSequencer, TargetsOutsidePercentAreReadAsNearestLevel)
{
    auto d = NewShow();
    SetCue(*d, 1, {"Cue", "", 2, 1000, 0, 20, true});
    d->m_cueLevel[kStar][1] = 250;
    d->m_cueLevel[kCross][1] = INT_MIN;
    d->m_level[kCross] = 80;
    d->StartCue(1);
    for (int t = 0; t < 4; ++t) {
        d->Tick(nullptr);
        for (int k = 0; k < kChannels; ++k) {
            EXPECT_GE(d->m_level[k], 0);
            EXPECT_LE(d->m_level[k], 100);
        }
    }
    EXPECT_EQ(d->m_level[kStar], 100);
    EXPECT_EQ(d->m_level[kCross], 0);
}

TEST(CueSequencer, HugeFadeTimesDoNotOverflow)
{
    for (int fade : {INT_MIN, INT_MAX, -1}) {
        auto d = NewShow();
        SetCue(*d, 1, {"Cue", "", fade, 1000, 0, 20, true});
        SetAllLevels(*d, 1, 100);
        d->StartCue(1);
        d->Tick(nullptr);
        EXPECT_EQ(d->m_level[kStar], fade < 0 ? 100 : 0) << fade;
    }
}

struct ActiveCase {
    int active;
    bool autoAdvance;
    bool forward;
    int startCue;
    int changeTick;  // first tick after which another cue is current; 0 = none in 30 ticks
    int newCue;
};

class ActiveTime : public testing::TestWithParam<ActiveCase> {};

TEST_P(ActiveTime, CueIsLeftOnlyByAutomaticAdvanceAfterItsTime)
{
    const ActiveCase& c = GetParam();
    auto d = NewShow();
    for (int slot = 1; slot <= 3; ++slot)
        SetCue(*d, slot, {"Cue", "", 0, c.active, 0, 20, true});
    d->m_autoAdvance = c.autoAdvance;
    d->m_advanceForward = c.forward;
    d->StartCue(c.startCue);
    for (int t = 1; t <= 30; ++t) {
        d->Tick(nullptr);
        if (d->m_currentCue != c.startCue) {
            EXPECT_EQ(t, c.changeTick);
            EXPECT_EQ(d->m_currentCue, c.newCue);
            return;
        }
    }
    EXPECT_EQ(c.changeTick, 0) << "cue never changed";
}

INSTANTIATE_TEST_SUITE_P(Cues, ActiveTime, testing::Values(
    ActiveCase{10, true, true, 1, 11, 2},
    ActiveCase{10, false, true, 1, 0, 0},
    ActiveCase{-1, true, true, 1, 1, 2},
    ActiveCase{-1, false, true, 1, 0, 0},
    ActiveCase{0, true, true, 3, 1, 1},
    ActiveCase{0, false, false, 2, 0, 0},
    ActiveCase{3, true, false, 2, 4, 1},
    ActiveCase{3, true, false, 1, 0, 0}));

TEST(CueSequencer, AutomaticAdvanceWalksTheListBothWays)
{
    struct Case { bool forward; int start; std::vector<int> cues; };
    const Case cases[] = {
        {true, 1, {1, 1, 2, 2, 2, 3, 3, 3, 1, 1}},
        {false, 3, {3, 3, 2, 2, 2, 1, 1, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        auto d = NewShow();
        for (int slot = 1; slot <= 3; ++slot)
            SetCue(*d, slot, {"Cue", "", 0, 2, 0, 20, true});
        d->m_autoAdvance = true;
        d->m_advanceForward = c.forward;
        d->StartCue(c.start);
        std::vector<int> seen;
        for (std::size_t t = 0; t < c.cues.size(); ++t) {
            d->Tick(nullptr);
            seen.push_back(d->m_currentCue);
        }
        EXPECT_EQ(seen, c.cues) << c.forward;
    }
}

TEST(CueSequencer, NextCueWrapsToCueOne)
{
    struct Case { const char* what; std::vector<int> named; int current; int next; };
    const Case cases[] = {
        {"middle", {1, 2, 3}, 2, 3},
        {"last named", {1, 2, 3}, 3, 1},
        {"gap", {1, 2, 4}, 2, 1},
        {"last slot", {1, 7499}, 7499, 1},
        {"no cue", {1, 2}, 0, 1},
        {"stray below", {1, 2}, -7, 1},
        {"stray above", {1, 2}, 123456, 1},
        {"largest", {1, 2}, INT_MAX, 1},
    };
    for (const Case& c : cases) {
        auto d = NewShow();
        for (int slot : c.named)
            SetCue(*d, slot, {"Cue", "", 0, 50 + slot % 1000, 0, 20, true});
        d->m_currentCue = c.current;
        d->NextCue();
        EXPECT_EQ(d->m_currentCue, c.next) << c.what;
        EXPECT_EQ(d->m_activeTimeLeft, 50 + c.next) << c.what;
    }
}

TEST(CueSequencer, PreviousCueStopsAtTheTopAndRestartsTheChase)
{
    auto d = NewShow();
    for (int slot = 1; slot <= 3; ++slot)
        SetCue(*d, slot, {"Cue", "", 0, 10 * slot, 0, 20, true});
    d->StartCue(3);
    d->m_chaseRunning = false;
    d->PreviousCue();
    EXPECT_EQ(d->m_currentCue, 2);
    EXPECT_EQ(d->m_activeTimeLeft, 20);
    EXPECT_TRUE(d->m_chaseRunning);
    d->PreviousCue();
    d->m_activeTimeLeft = 3;
    d->PreviousCue();
    EXPECT_EQ(d->m_currentCue, 1);
    EXPECT_EQ(d->m_activeTimeLeft, 3);  // nothing was started

    for (int current : {0, -1, 7501, INT_MIN}) {
        d->m_currentCue = current;
        d->PreviousCue();
        EXPECT_EQ(d->m_currentCue, current);
        EXPECT_EQ(d->m_activeTimeLeft, 3);
    }
    d->m_currentCue = 7500;  // one past the table: the slot below it is real
    d->PreviousCue();
    EXPECT_EQ(d->m_currentCue, 7499);
}

TEST(CueSequencer, CueZeroAppliesSlotZeroEveryTickAndRepaints)
{
    auto d = NewShow();
    SetCue(*d, 0, {"", "", 50, 0, 0, 20, true});
    SetAllLevels(*d, 0, 70);
    RecordingRepaint window;
    d->StartCue(0);
    for (int t = 1; t <= 3; ++t) {
        d->Tick(&window);
        EXPECT_EQ(d->m_level[kOutline], 80 - 10 * t);  // no fade: the target at once
        EXPECT_EQ(window.calls.size(), static_cast<std::size_t>(t));
        d->m_cueLevel[kOutline][0] = 70 - 10 * t;
    }
    EXPECT_EQ(d->m_currentCue, 0);
}

TEST(CueSequencer, RepaintOnlyWhenALevelMayHaveChanged)
{
    auto d = NewShow();
    SetCue(*d, 1, {"Up", "", 10, 1000, 0, 20, true});
    SetAllLevels(*d, 1, 100);
    SetCue(*d, 2, {"Hold", "", 3, 1000, 0, 20, true});
    SetAllLevels(*d, 2, 30);
    RecordingRepaint window;
    d->StartCue(1);
    for (int t = 0; t < 3; ++t)
        d->Tick(&window);
    ASSERT_EQ(window.calls.size(), 3u);
    const Invalidation& r = window.calls[0];
    EXPECT_EQ(r.left, 360);
    EXPECT_EQ(r.top, 50);
    EXPECT_EQ(r.right, 780);
    EXPECT_EQ(r.bottom, 600);
    EXPECT_FALSE(r.erase);

    // Every level already stands at the new targets while cue 1's fades still
    // count down: no change, no repaint, until those fades run out.
    d->StartCue(2);
    window.calls.clear();
    for (int t = 0; t < 7; ++t)
        d->Tick(&window);
    EXPECT_TRUE(window.calls.empty());
    d->Tick(&window);
    EXPECT_EQ(window.calls.size(), 1u);
    d->Tick(nullptr);  // no window: nothing to repaint, no crash
    EXPECT_EQ(d->m_level[kStar], 30);
}

TEST(CueSequencer, BusyTransmissionLeavesAPendingMark)
{
    auto d = NewShow();
    SetCue(*d, 1, {"Cue", "", 0, 1000, 0, 20, true});
    SetCue(*d, 2, {"Cue", "", 0, 1000, 0, 20, true});

    d->StartCue(1);
    EXPECT_FALSE(d->m_sendBusy);
    EXPECT_FALSE(d->m_sendPending);

    d->m_sendBusy = true;
    d->Tick(nullptr);
    EXPECT_FALSE(d->m_sendPending);  // a tick leaves no mark
    d->StartCue(2);
    EXPECT_TRUE(d->m_sendPending);
    EXPECT_TRUE(d->m_sendBusy);
    d->m_sendPending = false;
    d->NextCue();
    EXPECT_TRUE(d->m_sendPending);
    d->m_sendPending = false;
    d->m_currentCue = 2;
    d->PreviousCue();
    EXPECT_TRUE(d->m_sendPending);

    // The next transmission carries the pending channels and clears the mark.
    d->m_sendBusy = false;
    d->Tick(nullptr);
    EXPECT_FALSE(d->m_sendPending);
    EXPECT_FALSE(d->m_sendBusy);
}

TEST(CueSequencer, CueNumbersOutsideTheTableAreRefused)
{
    for (int cue : {-1, 7500, 99999, INT_MAX, INT_MIN}) {
        auto d = NewShow();
        SetCue(*d, 1, {"Cue", "", 5, 40, 2, 3, true});
        d->m_cueLevel[kStar][1] = 100;
        d->StartCue(1);
        d->m_sendBusy = true;
        d->StartCue(cue);
        EXPECT_EQ(d->m_currentCue, 1) << cue;
        EXPECT_EQ(d->m_activeTimeLeft, 40) << cue;
        EXPECT_FALSE(d->m_sendPending) << cue;

        // A stray current cue makes a tick do nothing at all.
        d->m_sendBusy = false;
        d->m_currentCue = cue;
        RecordingRepaint window;
        d->Tick(&window);
        EXPECT_TRUE(window.calls.empty()) << cue;
        EXPECT_EQ(d->m_level[kStar], 0) << cue;
        EXPECT_EQ(d->m_activeTimeLeft, 40) << cue;
        EXPECT_EQ(d->m_chaseSpeedCounter, 2) << cue;
    }
}

}  // namespace
