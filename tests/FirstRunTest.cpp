#include "tests/FileTestSupport.h"

namespace {

const std::string kZeroWindows = "WINDOW|MAIN|0|0|0|0|\nWINDOW|CUE|0|0|0|0|\nWINDOW|CHASE|0|0|0|0|\n";

using FirstRun = FileTest;

TEST_F(FirstRun, MissingLayoutAsksAndWritesFiveTiers)
{
    person.tierCount = "5";
    EXPECT_FALSE(doc->LoadLayout());
    std::string rows;
    for (int t = 1; t <= 5; ++t)
        rows += "row|" + std::to_string(t) + "|1|2|3|5|0|0|\n";
    EXPECT_EQ(dir.Read("colors.txt"), kDefaultColors + rows + kZeroWindows);
    ASSERT_EQ(person.shown.size(), 4u);
    const char* questions[] = {"Do you have a Star?", "Do you have a Cross?", "Do you have the Chase Lights?",
                               "Do you have the Outline Lights?"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(person.shown[i].text, questions[i]);
        EXPECT_EQ(person.shown[i].caption, "Question");
    }
    // The next start reads what the first run wrote.
    auto next = std::make_unique<CShowData>();
    EXPECT_TRUE(next->LoadLayout());
    EXPECT_EQ(next->m_tierCount, 5);
    EXPECT_STREQ(next->m_chaseFileName, "default.B05");
}

TEST_F(FirstRun, TierTextGivesTheLeadingNumber)
{
    const struct {
        const char* text;
        int present;
    } cases[] = {
        {"25", 18}, {"3 tiers", 3}, {"18", 18}, {"99999999999999999999", 18}, {"1", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        auto fresh = std::make_unique<CShowData>();
        fresh->FirstRunSetup(c.text);
        int present = 0;
        for (bool p : fresh->m_tierPresent)
            present += p ? 1 : 0;
        EXPECT_EQ(present, c.present);
        if (c.present > 0) {
            EXPECT_TRUE(fresh->m_tierPresent[c.present - 1]);
        }
        EXPECT_EQ(fresh->m_tierCount, 0);
    }
}

TEST_F(FirstRun, YesAnswersAddStarCrossChestAndOutline)
{
    person.answers = {true, true, true, true};
    doc->FirstRunSetup("1");
    EXPECT_EQ(dir.Read("colors.txt"), kDefaultColors + "row|1|1|2|3|5|0|0|\ncross|4|\nstar|0|\n"
                                          "chest|0|0|0|0|0|0|\noutline|0|0|0|0|0|0|\n" + kZeroWindows);
}

TEST_F(FirstRun, OnlyTheCrossAnsweredYes)
{
    person.answers = {false, true, false, false};
    doc->FirstRunSetup("1");
    EXPECT_TRUE(doc->m_crossPresent);
    EXPECT_FALSE(doc->m_starPresent);
    EXPECT_FALSE(doc->m_chestPresent);
    EXPECT_EQ(dir.Read("colors.txt"), kDefaultColors + "row|1|1|2|3|5|0|0|\ncross|4|\n" + kZeroWindows);
}

// A first run given no tier count, or with nobody to give one, used to write a
// layout without lamps that no screen could mend; now it writes nothing.
TEST_F(FirstRun, WithoutATierCountNothingIsSetUpAndNothingAsked)
{
    for (const char* text : {"", "0", "abc"}) {
        person.shown.clear();
        person.tierCount = text;
        EXPECT_FALSE(doc->LoadLayout());
        EXPECT_EQ(person.Transcript(), std::string("NOTICE: ") + kNothingSetUpText + "\n") << text;
    }
    doc->m_operator = nullptr;
    EXPECT_FALSE(doc->LoadLayout());
    EXPECT_FALSE(dir.Exists("colors.txt"));
}

}  // namespace
