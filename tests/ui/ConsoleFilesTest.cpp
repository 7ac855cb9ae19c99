// The console's own open and close with files it cannot read or save.
#include "console/ConsoleTexts.h"
#include "tests/ui/ConsoleFixture.h"

#include <sys/stat.h>

namespace {

TEST_F(ConsoleTest, AnUnreadableLibraryIsToldAtOpenAndLeftAsItIsAtClose)
{
    WriteShow(2);
    std::string library = dir.Path("default.B03");
    unlink(library.c_str());
    ASSERT_EQ(mkdir(library.c_str(), 0755), 0);
    ASSERT_EQ(mkfifo(dir.Path("Sprites.bmp").c_str(), 0644), 0);  // would hang the open if it were read
    Open();
    ASSERT_TRUE(console->Loaded());
    EXPECT_EQ(CueList()->count(), 2);
    console->show();
    const std::string notSaved = "ERROR: Could not save the chase library\n" + library + ": it could not be read "
                                 "when it was loaded (a directory, not a regular file), so it was not saved over.\n"
                                 "Question: " + kCloseUnsavedText + "\n";
    // No to the question keeps the console open with the whole show in it.
    console->close();
    EXPECT_TRUE(console->isVisible());
    EXPECT_EQ(person.Transcript(), "ERROR: Cannot read " + library + " (a directory, not a regular file).\nIt is "
                                   "left as it is: nothing will be saved over it.\n" + notSaved);
    EXPECT_STREQ(doc->m_cueName[2], "Cue 2");
    person.shown.clear();
    person.answers = {true};
    console->close();
    EXPECT_FALSE(console->isVisible());
    EXPECT_EQ(person.Transcript(), notSaved);
    struct stat st {};
    EXPECT_TRUE(stat(library.c_str(), &st) == 0 && S_ISDIR(st.st_mode));
    EXPECT_NE(dir.Read("show.cue").find("Cue 2|Blink|"), std::string::npos);
}

// At start a list chosen where it could never be saved is refused and the open
// dialog asks again, rather than leaving a show that no close can keep.
TEST_F(ConsoleTest, TheStartRefusesAListWhereItCouldNeverBeSavedAndAsksAgain)
{
    WriteShow(2);
    const std::string nowhere = dir.Path("nosuchdir/x.cue");
    person.files.push_front(nowhere);
    Open();
    ASSERT_TRUE(console->Loaded());
    EXPECT_EQ(person.dialogDirs.size(), 2u);
    EXPECT_EQ(person.Transcript(), "ERROR: " + nowhere + "\nThis cue list was not opened: the folder " +
                                       dir.Path("nosuchdir") + " does not exist, so it could never be saved there.\n"
                                       "Choose another cue list.\n");
    EXPECT_EQ(doc->m_cueFileName, dir.Path("show.cue"));
    EXPECT_EQ(CueList()->count(), 2);
    ASSERT_TRUE(doc->RenameCue(2, "Cue 2 kept"));
    console->show();
    console->close();
    EXPECT_FALSE(console->isVisible());
    EXPECT_NE(dir.Read("show.cue").find("\nCue 2 kept|Blink|"), std::string::npos);
    EXPECT_FALSE(dir.Exists("nosuchdir"));
}

}  // namespace
