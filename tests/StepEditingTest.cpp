// Light step editing in the core where the screen cannot reach: lamp addresses
// outside the grid, record 0 while no chase is loaded, and a step map at its end.
// Inserts, deletes, lamps and setups are driven through the screen.
#include "tests/ChaseEditTables.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace chase_test;

TEST(StepEditing, NothingOutsideTheGridOrWithoutAStepOnDisplayIsWritten)
{
    auto d = MakeLayout();
    AddChase(*d, "Run", 2, 1);
    d->LoadChase("Run");
    for (int badIndex : {0, 7, 10, 17, 190, -11})
        EXPECT_FALSE(d->SetLamp(kTierGroup, badIndex, 1)) << badIndex;
    EXPECT_FALSE(d->SetLamp(3, 1, 1));

    d->LoadChase("Nothing");  // the step on display is record 0, which must stay dark and nameless
    unsigned char all[kLightSetupSize];
    std::memset(all, 1, sizeof all);
    EXPECT_FALSE(d->ToggleLamp(kChestGroup, 1) || d->SetAllLamps(1) || d->PasteLightSetup(all));
    EXPECT_FALSE(d->InsertStep(1) || d->DeleteStep(2) || d->CopyStep(1, 2));
    EXPECT_EQ(d->m_stepChestLamps[0][0] + d->m_stepTierLamps[0][0][0], 0);
    EXPECT_EQ(d->m_stepChase[0][0], '\0');
}

// Moving every step up would push the last one past the step map, out of sight.
TEST(StepEditing, AStepNumberedAtTheMapsEndRefusesAnInsert)
{
    auto d = MakeLayout();
    AddChase(*d, "Tail", 1, 1);
    std::strcpy(d->m_stepChase[2], "Tail");
    d->m_stepNumber[2] = kStepRecords - 1;
    d->LoadChase("Tail");
    EXPECT_FALSE(d->InsertStep(1));
    EXPECT_EQ(d->m_stepNumber[2], kStepRecords - 1);
    EXPECT_EQ(d->FindFreeStepRecord(), 3);
}
