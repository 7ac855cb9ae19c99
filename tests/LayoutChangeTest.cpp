// Taking over an edited layout with a new tier count: where the chases go, checked
// on the files, and what a failed save leaves.
#include "document/History.h"
#include "document/Layout.h"
#include "tests/FileTestSupport.h"

#include <cstdio>
#include <unistd.h>

namespace {

const std::string kOurs = "Ours|1|none|" + std::string(120, '1') + "|\n";
const std::string kTheirs = "Theirs|1|none|" + std::string(120, '0') + "|\n";

// Three tiers and a one-chase library, loaded as the console loads them, with a lamp
// edit (recorded for undo) that the library on disk does not have yet.
struct CLayoutShow {
    CLayoutShow()
    {
        doc->m_operator = &person;
        doc->m_history = &history;
        dir.Write("colors.txt", kDefaultColors + "row|1|1|2|3|5|0|0|\nrow|2|1|2|3|5|0|0|\nrow|3|1|2|3|5|0|0|\n");
        dir.Write("default.B03", kOurs);
        EXPECT_TRUE(doc->LoadLayout());
        doc->LoadFile("chase");
        doc->LoadChase("Ours");
        EXPECT_TRUE(doc->ToggleLamp(kTierGroup, 11));
        doc->CopyLayout(layout);
        SetTierCount(layout, 5);
    }

    CTempProgramDir dir;
    std::unique_ptr<CShowData> doc = std::make_unique<CShowData>();
    CScriptedOperator person;
    CHistory history;
    CLayout layout;
};

// The chases in use reach their own library before anything else; the other library is
// written when missing, and kept or replaced (after a backup) only as the answer says.
TEST(LayoutChange, ANewTierCountMovesToItsOwnLibraryWithoutLosingAChase)
{
    enum Library { kMissing, kExistsTakeTheirs, kExistsReplace };
    for (Library library : {kMissing, kExistsTakeTheirs, kExistsReplace}) {
        SCOPED_TRACE(library);
        CLayoutShow s;
        if (library != kMissing)
            s.dir.Write("default.B05", kTheirs);
        s.person.answers.push_back(library == kExistsTakeTheirs);
        s.doc->InsertCue(1);
        ASSERT_TRUE(s.doc->ChangeLayout(s.layout));

        const std::string inUse = s.dir.Read("default.B03");
        EXPECT_EQ(inUse, "Ours|1|none|0" + std::string(119, '1') + "|\n");
        EXPECT_EQ(s.person.shown.size(), library == kMissing ? 0u : 1u);
        EXPECT_STREQ(s.doc->m_chaseFileName, "default.B05");
        EXPECT_NE(s.dir.Read("colors.txt").find("row|5|1|2|3|5|0|0|\n"), std::string::npos);
        const bool theirs = library == kExistsTakeTheirs;
        EXPECT_EQ(s.dir.Read("default.B05"), theirs ? kTheirs : inUse);
        EXPECT_EQ(s.dir.Exists("default.B05.bak"), library == kExistsReplace);
        EXPECT_STREQ(s.doc->m_stepChase[1], theirs ? "Theirs" : "Ours");
        // The cue history stays; the lamp edit's goes only with the records it was made on.
        EXPECT_EQ(s.history.UndoText(), "Insert Cue 1");
        s.history.Undo(*s.doc);
        EXPECT_EQ(s.history.Undo(*s.doc).done, !theirs);
    }
}

TEST(LayoutChange, AFailedLayoutSaveLeavesLayoutAndLibraryAsTheyWere)
{
    CLayoutShow s;
    s.dir.Write("default.B05", kTheirs);
    s.person.answers.push_back(true);
    // The layout file now leads into a "directory" that is a file: no save can go there.
    s.dir.Write("plain", "");
    ASSERT_EQ(std::remove(s.dir.Path("colors.txt").c_str()), 0);
    ASSERT_EQ(symlink("plain/colors.txt", s.dir.Path("colors.txt").c_str()), 0);
    ASSERT_FALSE(s.doc->ChangeLayout(s.layout));
    EXPECT_EQ(s.doc->m_tierCount, 3);
    EXPECT_FALSE(s.doc->m_tierPresent[3]);
    EXPECT_STREQ(s.doc->m_chaseFileName, "default.B03");
    EXPECT_STREQ(s.doc->m_stepChase[1], "Ours");
    EXPECT_EQ(s.dir.Read("default.B05"), kTheirs);
    EXPECT_NE(s.person.Transcript().find("ERROR: Failed to open Config File"), std::string::npos);
}

}  // namespace
