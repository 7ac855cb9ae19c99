// Light step editing in the core: refused inserts, lamps of absent rows and of no
// step, and the lamp setup layout. Inserts and deletes are driven through the screen.
#include "tests/ChaseEditTables.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace chase_test;

TEST(StepEditing, AFullPoolOrAFullStepMapRefusesAnInsertAndChangesNothing)
{
    auto d = MakeLayout();
    AddChase(*d, "Run", 3, 1);
    FillPool(*d);
    d->LoadChase("Run");
    EXPECT_FALSE(d->InsertStep(2));
    EXPECT_EQ(Markers(*d), "1 2 3");
    EXPECT_EQ(d->m_stepChase[0][0], '\0');

    // A step numbered at the map's end would move past it and vanish.
    auto sparse = MakeLayout();
    AddChase(*sparse, "Tail", 1, 1);
    std::strcpy(sparse->m_stepChase[2], "Tail");
    sparse->m_stepNumber[2] = kStepRecords - 1;
    sparse->LoadChase("Tail");
    EXPECT_FALSE(sparse->InsertStep(1));
    EXPECT_EQ(sparse->m_stepNumber[2], kStepRecords - 1);
}

TEST(StepEditing, LampsOfAbsentRowsAndLampsWithoutAStepAreNeverWritten)
{
    auto d = MakeLayout();
    AddChase(*d, "Run", 1, 1);
    d->m_tierPresent[11] = false;
    d->m_outlinePresent = false;
    d->m_stepTierLamps[1][11][2] = 1;
    d->LoadChase("Run");

    EXPECT_TRUE(d->SetAllLamps(0));
    EXPECT_EQ(d->m_stepTierLamps[1][11][2], 1);
    EXPECT_EQ(d->m_stepTierLamps[1][0][0], 0);
    EXPECT_TRUE(d->SetAllLamps(1));
    EXPECT_EQ(d->m_stepTierLamps[1][11][3], 0);
    EXPECT_EQ(d->m_stepOutlineLamps[1][0], 0);
    EXPECT_EQ(d->m_stepChestLamps[1][5], 1);
    EXPECT_FALSE(d->ToggleLamp(kTierGroup, 123));
    for (int badIndex : {0, 7, 10, 17, 190, -11})
        EXPECT_FALSE(d->SetLamp(kTierGroup, badIndex, 1)) << badIndex;
    EXPECT_FALSE(d->SetLamp(3, 1, 1));

    // With no chase loaded the step on display is record 0, which must stay dark.
    d->LoadChase("Nothing");
    unsigned char all[kLightSetupSize];
    std::memset(all, 1, sizeof all);
    EXPECT_FALSE(d->ToggleLamp(kChestGroup, 1));
    EXPECT_FALSE(d->SetAllLamps(1));
    EXPECT_FALSE(d->PasteLightSetup(all));
    EXPECT_EQ(d->m_stepChestLamps[0][0], 0);
    EXPECT_EQ(d->m_stepTierLamps[0][0][0], 0);
}

TEST(StepEditing, LightSetupHoldsChestThenOutlineThenTiersAndPastesOnlyLamps)
{
    auto d = MakeLayout();
    AddChase(*d, "Run", 2, 1);
    d->LoadChase("Run");
    d->SetLamp(kChestGroup, 2, 1);
    d->SetLamp(kOutlineGroup, 5, 1);
    d->SetLamp(kTierGroup, 34, 1);
    unsigned char setup[kLightSetupSize];
    d->CopyLightSetup(setup);
    for (int i = 0; i < kLightSetupSize; ++i)
        EXPECT_EQ(setup[i], i == 1 || i == 10 || i == 12 + 2 * 6 + 3 || i == 12) << i;  // 12: tier 1 lamp 1, the marker

    d->m_chaseStep = 2;
    EXPECT_TRUE(d->PasteLightSetup(setup));
    EXPECT_EQ(d->LampState(kTierGroup, 34), 1);
    EXPECT_EQ(d->LampState(kTierGroup, 21), 0);  // step 2's own marker is pasted over
    EXPECT_STREQ(d->m_stepText[2], "text 2");
    EXPECT_EQ(d->m_stepNumber[2], 2);
}
