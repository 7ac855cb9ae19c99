// The console's own open and close with a show file it cannot read or hold whole.
#include "tests/ui/ConsoleFixture.h"

#include <sys/stat.h>

namespace {

TEST_F(ConsoleTest, FilesItCannotReadOrHoldAreToldAtOpenAndKeptAtClose)
{
    WriteShow(2);
    unlink(dir.Path("default.B03").c_str());
    ASSERT_EQ(mkdir(dir.Path("default.B03").c_str(), 0755), 0);
    std::string cues = dir.Read("show.cue");
    for (int i = 0; i < kCueSlots; ++i)
        cues += "More|Lit|1|\n";
    dir.Write("show.cue", cues);
    Open();
    ASSERT_TRUE(console->Loaded());
    EXPECT_EQ(CueList()->count(), kCueSlots - 1);
    ASSERT_EQ(person.shown.size(), 2u);
    EXPECT_EQ(person.shown[0].caption, "ERROR");
    EXPECT_EQ(person.shown[0].text, "Cannot read " + dir.Path("default.B03") +
                                        " (a directory, not a regular file).\nIt is left as it is: nothing will be "
                                        "saved over it.");
    EXPECT_EQ(person.shown[1].caption, "NOTICE");
    EXPECT_NE(person.shown[1].text.find(" holds 3 more cues than the 7499 "), std::string::npos);

    console->show();
    console->close();
    struct stat st {};
    EXPECT_EQ(stat(dir.Path("default.B03").c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(dir.Read("show.cue.bak"), cues);
    ASSERT_EQ(person.shown.size(), 4u);
    EXPECT_EQ(person.shown[3].text.rfind("Could not save the chase library\n", 0), 0u);
    EXPECT_EQ(person.shown[2].text.rfind(dir.Path("show.cue") + " was saved without the 3 cues", 0), 0u);
}

}  // namespace
