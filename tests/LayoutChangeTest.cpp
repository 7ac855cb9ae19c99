// Taking over an edited layout: what the layout file holds afterwards, and where the
// chases go when a new tier count names another chase library.
#include "document/History.h"
#include "document/Layout.h"
#include "tests/FileTestSupport.h"

#include <cstdio>
#include <unistd.h>

namespace {

const std::string kWindows = "WINDOW|MAIN|10|500|20|700|\nWINDOW|CUE|0|0|0|0|\nWINDOW|CHASE|0|0|0|0|\n";
const std::string kOurs = "Ours|1|none|" + std::string(120, '1') + "|\n";
const std::string kTheirs = "Theirs|1|none|" + std::string(120, '0') + "|\n";

// Three tiers and a one-chase library on disk, loaded as the console loads them.
struct CLayoutShow {
    CLayoutShow()
    {
        doc->m_operator = &person;
        doc->m_history = &history;
        dir.Write("colors.txt", kDefaultColors + "row|1|1|2|3|5|0|0|\nrow|2|1|2|3|5|0|0|\nrow|3|1|2|3|5|0|0|\n" +
                                    "star|0|\n" + kWindows);
        dir.Write("default.B03", kOurs);
        EXPECT_TRUE(doc->LoadLayout());
        doc->LoadFile("chase");
        doc->CopyLayout(layout);
    }
    // An edit the library on disk does not have yet, recorded for undo.
    void EditChase()
    {
        doc->LoadChase("Ours");
        EXPECT_TRUE(doc->ToggleLamp(kTierGroup, 11));
    }
    std::string ChaseInMemory() const { return doc->m_stepChase[1]; }

    CTempProgramDir dir;
    std::unique_ptr<CShowData> doc = std::make_unique<CShowData>();
    CScriptedOperator person;
    CHistory history;
    CLayout layout;
};

class LayoutChange : public testing::Test, public CLayoutShow {};

TEST_F(LayoutChange, SavedLayoutReadsBackTheSameWithTheWindowLinesKept)
{
    layout.tierColor[1][4] = 7;
    layout.starPresent = false;
    layout.crossPresent = true;
    layout.crossColor = 4;
    layout.chestPresent = true;
    layout.chestColor[5] = 2;
    layout.tierPresent[0] = false;  // a tier below the top may be missing
    ASSERT_TRUE(doc->ChangeLayout(layout));
    EXPECT_EQ(dir.Read("colors.txt"), kDefaultColors + "row|2|1|2|3|5|7|0|\nrow|3|1|2|3|5|0|0|\ncross|4|\n" +
                                          "chest|0|0|0|0|0|2|\n" + kWindows);
    auto fresh = std::make_unique<CShowData>();
    ASSERT_TRUE(fresh->LoadLayout());
    CLayout back;
    fresh->CopyLayout(back);
    doc->CopyLayout(layout);
    EXPECT_TRUE(back == Stored(layout));
    EXPECT_STREQ(doc->m_chaseFileName, "default.B03");
    EXPECT_TRUE(person.shown.empty());
}

TEST_F(LayoutChange, ALayoutWithAProblemIsRefusedAndNothingIsWritten)
{
    const std::string before = dir.Read("colors.txt");
    struct Case {
        int tierCount;
        bool present1, present3;
        const char* problem;
    } cases[] = {
        {0, true, true, "The number of tiers must be 1 to 18."},
        {19, true, true, "The number of tiers must be 1 to 18."},
        {3, false, false, "A tree needs at least one tier"},
        {3, true, false, "Tier 3 is the top tier"},
        {3, false, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tierCount);
        CLayout edited = layout;
        edited.tierCount = c.tierCount;
        edited.tierPresent[0] = c.present1;
        edited.tierPresent[1] = false;
        edited.tierPresent[2] = c.present3;
        EXPECT_EQ(LayoutProblem(edited).rfind(c.problem, 0), 0u) << LayoutProblem(edited);
        if (*c.problem != '\0') {
            EXPECT_FALSE(doc->ChangeLayout(edited));
            EXPECT_EQ(dir.Read("colors.txt"), before);
        }
    }
}

TEST_F(LayoutChange, RaisingTheTierCountGrowsTheTreeAsItIsAndLoweringItKeepsTheUpperTiers)
{
    layout.tierColor[2][0] = 4;
    SetTierCount(layout, 5);
    EXPECT_TRUE(layout.tierPresent[4]);
    EXPECT_EQ(layout.tierColor[4][0], 4);  // tier 5 like tier 3 below it
    layout.tierColor[4][1] = 7;
    SetTierCount(layout, 2);
    SetTierCount(layout, 5);
    EXPECT_EQ(layout.tierColor[4][1], 7);  // what tier 5 had before is back
    SetTierCount(layout, 40);
    EXPECT_EQ(layout.tierCount, kTiers);
}

// The chases in use are saved to their own library before anything else, and the
// other library is written, kept or replaced only as the rules and the answer say.
TEST_F(LayoutChange, ANewTierCountMovesToItsOwnLibraryWithoutLosingAChase)
{
    enum Library { kMissing, kExistsTakeTheirs, kExistsReplace };
    for (Library library : {kMissing, kExistsTakeTheirs, kExistsReplace}) {
        SCOPED_TRACE(library);
        CLayoutShow t;
        if (library != kMissing)
            t.dir.Write("default.B05", kTheirs);
        t.person.answers.push_back(library == kExistsTakeTheirs);
        t.EditChase();
        t.doc->InsertCue(1);
        const std::string onDisk = t.dir.Read("default.B03");
        SetTierCount(t.layout, 5);
        ASSERT_TRUE(t.doc->ChangeLayout(t.layout));

        const std::string inUse = t.dir.Read("default.B03");
        EXPECT_NE(inUse, onDisk);  // the edit in memory reached its own library first
        EXPECT_EQ(t.person.shown.size(), library == kMissing ? 0u : 1u);
        EXPECT_STREQ(t.doc->m_chaseFileName, "default.B05");
        EXPECT_EQ(t.doc->m_tierCount, 5);
        EXPECT_NE(t.dir.Read("colors.txt").find("row|5|1|2|3|5|0|0|\n"), std::string::npos);
        if (library == kExistsTakeTheirs) {
            EXPECT_EQ(t.dir.Read("default.B05"), kTheirs);
            EXPECT_EQ(t.ChaseInMemory(), "Theirs");
            EXPECT_FALSE(t.dir.Exists("default.B05.bak"));
            EXPECT_EQ(t.history.UndoText(), "Insert Cue 1");  // the cue history stays
        } else {
            EXPECT_EQ(t.dir.Read("default.B05"), inUse);
            EXPECT_EQ(t.ChaseInMemory(), "Ours");
            EXPECT_EQ(t.dir.Exists("default.B05.bak") ? t.dir.Read("default.B05.bak") : "",
                      library == kExistsReplace ? kTheirs : "");
            // The lamp edit is still there behind the cue insert.
            t.history.Undo(*t.doc);
            EXPECT_TRUE(t.history.Undo(*t.doc).done);
            EXPECT_EQ(t.doc->m_stepTierLamps[1][0][0], 1);
        }
    }
}

TEST_F(LayoutChange, AFailedLayoutSaveLeavesLayoutAndLibraryAsTheyWere)
{
    dir.Write("default.B05", kTheirs);
    person.answers.push_back(true);
    // The layout file now leads into a "directory" that is a file: no save can go there.
    dir.Write("plain", "");
    ASSERT_EQ(std::remove(dir.Path("colors.txt").c_str()), 0);
    ASSERT_EQ(symlink("plain/colors.txt", dir.Path("colors.txt").c_str()), 0);
    SetTierCount(layout, 5);
    ASSERT_FALSE(doc->ChangeLayout(layout));
    EXPECT_EQ(doc->m_tierCount, 3);
    EXPECT_FALSE(doc->m_tierPresent[3]);
    EXPECT_STREQ(doc->m_chaseFileName, "default.B03");
    EXPECT_EQ(ChaseInMemory(), "Ours");
    EXPECT_EQ(dir.Read("default.B05"), kTheirs);
    EXPECT_NE(person.Transcript().find("ERROR: Failed to open Config File"), std::string::npos);
}

}  // namespace
