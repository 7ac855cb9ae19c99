#include "tests/EngineShow.h"

#include <climits>
#include <gtest/gtest.h>
#include <string>

using namespace engine_test;

namespace {

// Plays one cue whose chase has `steps` steps and returns the step shown after
// each of `ticks` ticks, one digit per tick.
std::string PlayChase(int steps, bool forward, int runs, int speed, int ticks)
{
    auto d = NewShow();
    AddChase(*d, "Sweep", 1, steps);
    SetCue(*d, 1, {"Cue", "Sweep", 0, 1000, speed, runs, forward});
    d->m_running = true;
    d->StartCue(1);
    std::string seen;
    for (int t = 0; t < ticks; ++t) {
        d->Tick(nullptr);
        seen += static_cast<char>('0' + d->m_chaseStep);
    }
    return seen;
}

struct PatternCase {
    bool forward;
    int runs;
    int speed;
    const char* steps;  // step after ticks 1..12 of a three-step chase
};

class ChasePattern : public testing::TestWithParam<PatternCase> {};

TEST_P(ChasePattern, StepsFollowDirectionRunsAndSpeed)
{
    const PatternCase& c = GetParam();
    EXPECT_EQ(PlayChase(3, c.forward, c.runs, c.speed, 12), c.steps);
}

INSTANTIATE_TEST_SUITE_P(ThreeSteps, ChasePattern, testing::Values(
    PatternCase{true, 0, 0, "233333333333"},
    PatternCase{true, 1, 0, "231233333333"},
    PatternCase{true, 20, 0, "231231231231"},
    // The first step in reverse is already an end: it wraps and costs a run.
    PatternCase{false, 0, 0, "111111111111"},
    PatternCase{false, 1, 0, "321111111111"},
    PatternCase{false, 20, 0, "321321321321"},
    PatternCase{true, 20, 1, "122331122331"},
    PatternCase{false, 20, 1, "133221133221"},
    PatternCase{true, 20, 2, "112223331112"},
    PatternCase{true, 20, -3, "231231231231"},
    PatternCase{false, 1, -1, "321111111111"}));

std::string Repeat(const char* unit, int times)
{
    std::string s;
    for (int i = 0; i < times; ++i)
        s += unit;
    return s;
}

// Run count r stops the chase on the (r + 1)-th end: forward ends fall on ticks
// 3, 6, ..., reverse ends on ticks 1, 4, 7, ...
TEST(ChaseStepping, NineteenRunsStopOnTheTwentiethEndAndTwentyNeverStops)
{
    EXPECT_EQ(PlayChase(3, true, 19, 0, 200), Repeat("231", 19) + "2" + std::string(142, '3'));
    EXPECT_EQ(PlayChase(3, false, 19, 0, 200), Repeat("321", 19) + std::string(143, '1'));
    EXPECT_EQ(PlayChase(3, true, 20, 0, 600), Repeat("231", 200));
}

TEST(ChaseStepping, SingleStepChaseSpendsOneRunPerStepTime)
{
    for (bool forward : {true, false}) {
        auto d = NewShow();
        AddChase(*d, "Solo", 7, 1);
        SetCue(*d, 1, {"Cue", "Solo", 0, 1000, 0, 2, forward});
        d->m_running = true;
        d->StartCue(1);
        const int runsLeft[] = {1, 0, -1, -1};
        const bool running[] = {true, true, false, false};
        for (int t = 0; t < 4; ++t) {
            d->Tick(nullptr);
            EXPECT_EQ(d->m_chaseStep, 1);
            EXPECT_EQ(d->CurrentStepRecord(), 7);
            EXPECT_EQ(d->m_runCountLeft, runsLeft[t]) << forward << " tick " << t + 1;
            EXPECT_EQ(d->m_chaseRunning, running[t]) << forward << " tick " << t + 1;
        }
    }
}

TEST(ChaseStepping, UnknownChaseHasNoStepsAndShowsRecordZero)
{
    auto d = NewShow();
    AddChase(*d, "Sweep", 1, 3);
    SetCue(*d, 1, {"Cue", "sweep", 0, 1000, 0, 20, true});  // names are case-sensitive
    d->m_running = true;
    d->StartCue(1);
    EXPECT_EQ(d->m_chaseStepCount, 0);
    EXPECT_EQ(d->m_chaseStep, 1);
    EXPECT_EQ(d->CurrentStepRecord(), 0);
    d->NextStep();
    EXPECT_EQ(d->m_chaseStep, 1);
    d->PreviousStep();
    EXPECT_EQ(d->m_chaseStep, 0);
    EXPECT_EQ(d->CurrentStepRecord(), 0);
    d->PreviousStep();
    EXPECT_EQ(d->m_chaseStep, 0);
    d->NextStep();
    EXPECT_EQ(d->m_chaseStep, 1);
    EXPECT_EQ(d->m_runCountLeft, 20);
}

TEST(ChaseStepping, EmptyChaseNameTakesNoSteps)
{
    auto d = NewShow();
    AddChase(*d, "Sweep", 1, 3);
    // A deleted record keeps a stale number; it still belongs to no chase.
    d->m_stepNumber[10] = 2;
    SetCue(*d, 1, {"Cue", "", 0, 1000, 0, 20, true});
    d->m_running = true;
    d->StartCue(1);
    EXPECT_EQ(d->m_chaseStepCount, 0);
    for (int t = 0; t < 5; ++t)
        d->Tick(nullptr);
    EXPECT_EQ(d->m_chaseStep, 1);
    EXPECT_EQ(d->CurrentStepRecord(), 0);
    EXPECT_EQ(d->m_runCountLeft, 20);
}

TEST(ChaseStepping, GapInStepNumbersShowsDarkStep)
{
    auto d = NewShow();
    AddSteps(*d, "Gappy", 20, {1, 2, 4});
    d->m_running = true;
    d->m_chaseRunning = true;
    d->m_runCountLeft = 20;
    d->LoadChase("Gappy");
    EXPECT_EQ(d->m_chaseStepCount, 4);
    const int records[] = {20, 21, 0, 22, 20, 21};
    for (int expected : records) {
        EXPECT_EQ(d->CurrentStepRecord(), expected) << "step " << d->m_chaseStep;
        d->NextStep();
    }
}

TEST(ChaseStepping, EditorWrapsBothWaysWithoutSpendingRuns)
{
    auto d = NewShow();
    AddChase(*d, "Sweep", 1, 3);
    d->m_running = false;
    d->m_chaseRunning = false;
    d->m_runCountLeft = 0;
    d->LoadChase("Sweep");
    std::string seen;
    for (int i = 0; i < 4; ++i) {
        d->NextStep();
        seen += static_cast<char>('0' + d->m_chaseStep);
    }
    for (int i = 0; i < 4; ++i) {
        d->PreviousStep();
        seen += static_cast<char>('0' + d->m_chaseStep);
    }
    EXPECT_EQ(seen, "23121321");
    EXPECT_EQ(d->m_runCountLeft, 0);
    EXPECT_FALSE(d->m_chaseRunning);
}

TEST(ChaseStepping, LoadChaseMapsOnlyStepsInsideTheTable)
{
    auto d = NewShow();
    AddSteps(*d, "Wild", 1, {-5, 0, 5000, 99999, INT_MIN, INT_MAX, 2, 1, 4999});
    d->LoadChase("Wild");
    EXPECT_EQ(d->m_chaseStepCount, 4999);
    EXPECT_EQ(d->m_chaseStepRecord[0], 0);
    EXPECT_EQ(d->m_chaseStepRecord[1], 8);
    EXPECT_EQ(d->m_chaseStepRecord[2], 7);
    EXPECT_EQ(d->m_chaseStepRecord[4999], 9);
    EXPECT_EQ(d->m_chaseStep, 1);
}

TEST(ChaseStepping, LaterRecordWinsADuplicateStep)
{
    auto d = NewShow();
    AddSteps(*d, "Twice", 3, {1, 2, 2});
    d->LoadChase("Twice");
    EXPECT_EQ(d->m_chaseStepCount, 2);
    EXPECT_EQ(d->m_chaseStepRecord[2], 5);
}

TEST(ChaseStepping, FindChaseHeadTakesTheFirstStepZeroRecordOfThatName)
{
    auto d = NewShow();
    AddSteps(*d, "Sweep", 1, {1, 0, 2, 0});
    AddSteps(*d, "Other", 5, {0});
    EXPECT_EQ(d->FindChaseHead("Sweep"), 2);
    EXPECT_EQ(d->FindChaseHead("Other"), 5);
    EXPECT_EQ(d->FindChaseHead("Missing"), 0);
    // Heads are not steps.
    d->LoadChase("Other");
    EXPECT_EQ(d->m_chaseStepCount, 0);
}

TEST(ChaseStepping, StrayStepValuesStayInsideTheMap)
{
    struct Case { int step; int count; bool next; int after; };
    const Case cases[] = {
        {INT_MAX, 3, true, 1},   // past the end: clamped, then wrapped
        {5000, 3, false, 4999},  // still above: one step down
        {INT_MIN, 3, false, 3},  // below the start: clamped, then wrapped
        {-1, 0, true, 0},
    };
    for (const Case& c : cases) {
        auto d = NewShow();
        d->m_chaseStep = c.step;
        d->m_chaseStepCount = c.count;
        EXPECT_EQ(d->CurrentStepRecord(), 0) << c.step;
        c.next ? d->NextStep() : d->PreviousStep();
        EXPECT_EQ(d->m_chaseStep, c.after) << c.step;
    }
    auto d = NewShow();
    d->m_chaseStep = 2;
    d->m_chaseStepRecord[2] = 77777;  // not a record index
    EXPECT_EQ(d->CurrentStepRecord(), 0);
}

TEST(ChaseStepping, LowestRunCountStillStops)
{
    auto d = NewShow();
    AddChase(*d, "Sweep", 1, 2);
    d->m_running = true;
    d->m_chaseRunning = true;
    d->m_runCountLeft = INT_MIN;
    d->LoadChase("Sweep");
    d->NextStep();
    d->NextStep();
    EXPECT_FALSE(d->m_chaseRunning);
    EXPECT_EQ(d->m_chaseStep, 2);
}

}  // namespace
