#include "tests/FileTestSupport.h"

#include <functional>
#include <sys/stat.h>

namespace {

using LayoutFile = FileTest;

TEST_F(LayoutFile, SavingReproducesTheFileLineForLine)
{
    const std::string file = kDefaultColors +
        "row|1|1|2|3|5|0|0|\nrow|2|7|6|5|4|3|2|\nrow|18|17|0|0|0|0|1|\n"
        "cross|4|\nstar|0|\nchest|0|1|2|3|4|5|\noutline|5|4|3|2|1|0|\n"
        "WINDOW|MAIN|10|500|20|700|\nWINDOW|CUE|1|2|3|4|\nWINDOW|CHASE|-5|6|-7|8|\n";
    dir.Write("colors.txt", file);
    ASSERT_TRUE(doc->LoadLayout());
    doc->SaveLayout();
    EXPECT_EQ(dir.Read("colors.txt"), file);
    EXPECT_TRUE(person.shown.empty());
}

TEST_F(LayoutFile, SavingResetsColoursAndDropsTheDemoLine)
{
    dir.Write("colors.txt", "color|8|1|2|3|grey|\ncolor|2|9|9|9|dim|\ndemo|1|\nstar|3|\n");
    ASSERT_TRUE(doc->LoadLayout());
    EXPECT_TRUE(doc->m_demoMode);
    doc->SaveLayout();
    EXPECT_EQ(dir.Read("colors.txt"),
              kDefaultColors + "star|3|\nWINDOW|MAIN|0|0|0|0|\nWINDOW|CUE|0|0|0|0|\nWINDOW|CHASE|0|0|0|0|\n");
}

TEST_F(LayoutFile, TierCountIsTheHighestRowAndNamesTheChaseLibrary)
{
    const struct {
        const char* file;
        int tierCount;
        const char* chaseFile;
    } cases[] = {
        {"row|3|\n", 3, "default.B03"},
        {"row|12|1|1|1|1|1|1|\nrow|4|1|1|1|1|1|1|\n", 12, "default.B12"},
        {"color|0|1|1|1|x|\n", 0, "default.B00"},
        {"row|18|0|0|0|0|0|0|\n", 18, "default.B18"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        auto fresh = std::make_unique<CShowData>();
        dir.Write("colors.txt", c.file);
        ASSERT_TRUE(fresh->LoadLayout());
        EXPECT_EQ(fresh->m_tierCount, c.tierCount);
        EXPECT_STREQ(fresh->m_chaseFileName, c.chaseFile);
    }
    auto doc3 = std::make_unique<CShowData>();
    dir.Write("colors.txt", "row|3|\n");
    doc3->LoadLayout();
    EXPECT_FALSE(doc3->m_tierPresent[0]);
    EXPECT_FALSE(doc3->m_tierPresent[1]);
    EXPECT_TRUE(doc3->m_tierPresent[2]);
}

TEST_F(LayoutFile, DemoFlagIsSetByAnyCharacterButZero)
{
    const struct {
        const char* line;
        bool demo;
    } cases[] = {
        {"demo|0|", false}, {"demo|1|", true}, {"demo|x|", true}, {"demo||", true}, {"demo|", false}, {"demo", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        auto fresh = std::make_unique<CShowData>();
        dir.Write("colors.txt", std::string(c.line) + "\n");
        fresh->LoadLayout();
        EXPECT_EQ(fresh->m_demoMode, c.demo);
    }
}

TEST_F(LayoutFile, WindowLinesGiveTopBottomLeftRight)
{
    dir.Write("colors.txt", "WINDOW|MAIN|10|500|20|700|\nWINDOW|CHASE|1|2|3|4|\nWINDOW|SIDE|9|9|9|9|\n");
    ASSERT_TRUE(doc->LoadLayout());
    const CRect& main = doc->m_mainWindowRect;
    EXPECT_EQ(main.left, 20);
    EXPECT_EQ(main.top, 10);
    EXPECT_EQ(main.right, 700);
    EXPECT_EQ(main.bottom, 500);
    EXPECT_EQ(doc->m_chaseWindowRect.left, 3);
    EXPECT_EQ(doc->m_cueWindowRect.left, 0);
    doc->SaveLayout();
    EXPECT_NE(dir.Read("colors.txt").find("\nWINDOW|MAIN|10|500|20|700|\n"), std::string::npos);
}

TEST_F(LayoutFile, ColourLinesMakeScaledBrushesLaterLinesWinning)
{
    dir.Write("colors.txt", "color|5|1|1|1|x|\ncolor|5|255|150|0|orange|\ncolor|3|300|-1|7|odd|\n");
    ASSERT_TRUE(doc->LoadLayout());
    const CBrush& half = doc->m_levelBrush[5][50];
    EXPECT_TRUE(half.made);
    EXPECT_EQ(half.red, 127);
    EXPECT_EQ(half.green, 75);
    EXPECT_EQ(half.blue, 0);
    const CBrush& black = doc->m_levelBrush[5][0];
    EXPECT_EQ(black.red + black.green + black.blue, 0);
    EXPECT_TRUE(black.made);
    // Components beyond a byte keep their low 8 bits.
    EXPECT_EQ(doc->m_levelBrush[3][100].red, 300 & 0xFF);
    EXPECT_EQ(doc->m_levelBrush[3][100].green, 255);
    EXPECT_EQ(doc->m_colorRed[3], 300);
    EXPECT_FALSE(doc->m_levelBrush[4][100].made);
}

// Each bad line sits next to a good "row|1|" line, which must still load.
TEST_F(LayoutFile, BadLinesAreSkippedOrCutNeverOverrun)
{
    const struct {
        std::string line;
        std::function<void(const CShowData&)> check;
    } cases[] = {
        {"color|18|1|2|3|x|", [](const CShowData& d) { EXPECT_FALSE(d.m_levelBrush[17][0].made); }},
        {"color|-1|1|2|3|x|", [](const CShowData& d) { EXPECT_FALSE(d.m_levelBrush[0][0].made); }},
        {"color||1|2|3|", [](const CShowData& d) { EXPECT_FALSE(d.m_levelBrush[0][0].made); }},
        {"color|2|", [](const CShowData& d) { EXPECT_TRUE(d.m_levelBrush[2][100].made); }},
        {"row|0|1|1|1|1|1|1|", [](const CShowData& d) { EXPECT_EQ(d.m_tierCount, 1); }},
        {"row|19|1|1|1|1|1|1|", [](const CShowData& d) { EXPECT_EQ(d.m_tierCount, 1); }},
        {"row|x|1|", [](const CShowData& d) { EXPECT_EQ(d.m_tierCount, 1); }},
        {"row|99999999999999|1|", [](const CShowData& d) { EXPECT_EQ(d.m_tierCount, 1); }},
        {"row|2|1|40|-3|", [](const CShowData& d) {
             const int want[kCircuits] = {1, kColors - 1, 0, 0, 0, 0};
             for (int k = 0; k < kCircuits; ++k)
                 EXPECT_EQ(d.m_tierColor[1][k], want[k]);
         }},
        {"star|99|", [](const CShowData& d) { EXPECT_EQ(d.m_starColor, kColors - 1); }},
        {"cross|", [](const CShowData& d) { EXPECT_TRUE(d.m_crossPresent); EXPECT_EQ(d.m_crossColor, 0); }},
        {"chest|-7|3|", [](const CShowData& d) { EXPECT_EQ(d.m_chestColor[0], 0); EXPECT_EQ(d.m_chestColor[1], 3); }},
        {"Row|5|1|1|1|1|1|1|", [](const CShowData& d) { EXPECT_EQ(d.m_tierCount, 1); }},
        {"WINDOW||1|2|3|4|", [](const CShowData& d) { EXPECT_EQ(d.m_mainWindowRect.top, 0); }},
        {"row|3|" + std::string(600, '4') + "|\nrow|9|", [](const CShowData& d) {
             // The long line stays one record: its tail is not read as a line of its own.
             EXPECT_TRUE(d.m_tierPresent[2]);
             EXPECT_EQ(d.m_tierColor[2][0], kColors - 1);
             EXPECT_EQ(d.m_tierCount, 9);
         }},
        {std::string("row|4|2|\0row|5|", 15), [](const CShowData& d) {
             EXPECT_TRUE(d.m_tierPresent[3]);
             EXPECT_EQ(d.m_tierCount, 4);
         }},
        {"\x01\xff|||\x7f\n\n\r\n|", [](const CShowData& d) { EXPECT_EQ(d.m_tierCount, 1); }},
        {"star|2|\r", [](const CShowData& d) { EXPECT_EQ(d.m_starColor, 2); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        auto fresh = std::make_unique<CShowData>();
        dir.Write("colors.txt", "row|1|1|1|1|1|1|1|\n" + c.line + "\n");
        ASSERT_TRUE(fresh->LoadLayout());
        EXPECT_TRUE(fresh->m_tierPresent[0]);
        c.check(*fresh);
    }
}

TEST_F(LayoutFile, LineEndingsDoNotMatter)
{
    for (const char* file : {"star|2|\r\nrow|2|1|1|1|1|1|1|\r\n", "star|2|\nrow|2|1|1|1|1|1|1|", "\n\nstar|2|\n\n\nrow|2|\n"}) {
        SCOPED_TRACE(file);
        auto fresh = std::make_unique<CShowData>();
        dir.Write("colors.txt", file);
        ASSERT_TRUE(fresh->LoadLayout());
        EXPECT_EQ(fresh->m_starColor, 2);
        EXPECT_EQ(fresh->m_tierCount, 2);
    }
}

TEST_F(LayoutFile, FailedSaveIsReportedAndLeavesTheLayout)
{
    doc->m_starPresent = true;
    // A directory in the file's place is never replaced.
    ASSERT_EQ(mkdir(dir.Path("colors.txt").c_str(), 0755), 0);
    doc->SaveLayout();
    ASSERT_EQ(person.shown.size(), 1u);
    EXPECT_EQ(person.shown[0].text, "Failed to open Config File\n" + dir.Path("colors.txt") +
                                        ": it is not a regular file.\nThe file on disk was not changed.");
    EXPECT_EQ(person.shown[0].caption, "ERROR");
    EXPECT_TRUE(doc->m_starPresent);
}

TEST_F(LayoutFile, UnreadableLayoutIsNotReplacedByTheFirstRun)
{
    // A program directory path that is a plain file: the layout cannot be opened, yet is not missing.
    dir.Write("plain", "x");
    setenv("GLIMMERBOX_HOME", dir.Path("plain").c_str(), 1);
    person.tierCount = "5";
    EXPECT_FALSE(doc->LoadLayout());
    ASSERT_EQ(person.shown.size(), 1u);
    EXPECT_EQ(person.shown[0].caption, "ERROR");
    EXPECT_FALSE(doc->m_tierPresent[0]);
}

}  // namespace
