#include "document/ShowData.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace {

TEST(ShowTables, FreshDocumentIsZeroAndTablesStartAtOne)
{
    auto doc = std::make_unique<CShowData>();
    EXPECT_EQ(doc->m_currentCue, 0);
    EXPECT_EQ(doc->m_tierCount, 0);
    EXPECT_FALSE(doc->m_levelBrush[0][0].made);
    EXPECT_EQ(doc->FindFreeCue(), 1);
    EXPECT_EQ(doc->FindFreeStepRecord(), 1);
    std::vector<std::string> list{"stale"};
    doc->FillNameList(list, "cue");
    EXPECT_TRUE(list.empty());
}

TEST(ShowTables, CueListSkipsGapsAndFindsTheGap)
{
    auto doc = std::make_unique<CShowData>();
    std::strcpy(doc->m_cueName[1], "Opening");
    std::strcpy(doc->m_cueName[3], "Finale");
    EXPECT_EQ(doc->FindFreeCue(), 2);
    std::vector<std::string> list;
    doc->FillNameList(list, "cue");
    EXPECT_EQ(list, (std::vector<std::string>{"1 Opening", "3 Finale"}));
}

TEST(ShowTables, ChaseListShowsEachChaseByItsFirstStep)
{
    auto doc = std::make_unique<CShowData>();
    for (int r = 1; r <= 3; ++r) {
        std::strcpy(doc->m_stepChase[r], "Sweep");
        doc->m_stepNumber[r] = r;
    }
    std::strcpy(doc->m_stepChase[4], "Headless");
    doc->m_stepNumber[4] = 2;
    std::vector<std::string> list;
    doc->FillNameList(list, "chase");
    EXPECT_EQ(list, (std::vector<std::string>{"Sweep"}));
    list = {"kept"};
    doc->FillNameList(list, "other");
    EXPECT_EQ(list, (std::vector<std::string>{"kept"}));
}

TEST(ShowTables, FullTablesReportZeroAndClearEmptiesThem)
{
    auto doc = std::make_unique<CShowData>();
    for (int s = 1; s < kCueSlots; ++s)
        std::strcpy(doc->m_cueName[s], "c");
    for (int r = 1; r < kStepRecords; ++r)
        std::strcpy(doc->m_stepChase[r], "s");
    EXPECT_EQ(doc->FindFreeCue(), 0);
    EXPECT_EQ(doc->FindFreeStepRecord(), 0);
    doc->m_currentCue = 5;
    doc->m_cueForward[7] = true;
    doc->m_cueLevel[13][7499] = 100;
    doc->ClearCues();
    doc->ClearChases();
    EXPECT_EQ(doc->FindFreeCue(), 1);
    EXPECT_EQ(doc->FindFreeStepRecord(), 1);
    EXPECT_EQ(doc->m_currentCue, 0);
    EXPECT_FALSE(doc->m_cueForward[7]);
    EXPECT_EQ(doc->m_cueLevel[13][7499], 0);
}

}  // namespace
