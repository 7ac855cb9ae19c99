#include "tests/FileTestSupport.h"

#include <cstring>
#include <filesystem>
#include <functional>

namespace {

const char kOpening[] = "Opening|Sweep|1 2 3 4 5 6 7 8 9 10 11 12 130 14 15 16 1 20 -1|\n";

class CueFile : public FileTest {
protected:
    CueFile()
    {
        doc->m_tierCount = 5;
        doc->ClearCues();
    }
    void Name(const char* file) { std::strcpy(doc->m_cueFileName, file); }
    int UsedSlots() const
    {
        int used = 0;
        for (int s = 0; s < kCueSlots; ++s)
            used += doc->m_cueName[s][0] != '\0' ? 1 : 0;
        return used;
    }
};

TEST_F(CueFile, NineteenNumbersLandInTheirFieldsAndGoBackTheSame)
{
    dir.Write("show.cue", std::string("ChaseList_Selected|default.B5|\n") + kOpening);
    Name("show.cue");
    doc->LoadFile("cue");
    EXPECT_EQ(doc->m_currentCue, 1);
    EXPECT_STREQ(doc->m_cueName[1], "Opening");
    EXPECT_STREQ(doc->m_cueChase[1], "Sweep");
    EXPECT_STREQ(doc->m_selectedChaseList, "default.B5");
    const int levels[kChannels] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 15, 16};
    for (int k = 0; k < kChannels; ++k)
        EXPECT_EQ(doc->m_cueLevel[k][1], levels[k]) << "channel " << k;
    EXPECT_EQ(doc->m_cueFadeTime[1], 130);
    EXPECT_EQ(doc->m_cueChaseSpeed[1], 14);
    EXPECT_TRUE(doc->m_cueForward[1]);
    EXPECT_EQ(doc->m_cueRunCount[1], 20);
    EXPECT_EQ(doc->m_cueActiveTime[1], -1);
    doc->SaveFile("cue");
    EXPECT_EQ(dir.Read("show.cue"), std::string("ChaseList_Selected|default.B5|\n") + kOpening);
}

TEST_F(CueFile, RoundTripKeepsOrderAndMovesTheSelectionLineFirst)
{
    const std::string cues = std::string(kOpening) + "Middle|# none|0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0|\n"
                                                     "Finale|Rain|100 100 100 100 100 100 100 100 100 100 100 100 "
                                                     "5 0 100 100 1 3 600|\n";
    dir.Write("show.cue", cues + "ChaseList_Selected|default.B18|\n");
    Name("show.cue");
    doc->LoadFile("cue");
    EXPECT_EQ(UsedSlots(), 3);
    EXPECT_STREQ(doc->m_selectedChaseList, "default.B18");
    doc->SaveFile("cue");
    EXPECT_EQ(dir.Read("show.cue"), "ChaseList_Selected|default.B5|\n" + cues);
}

TEST_F(CueFile, CancelledOpenWithoutDefaultListGivesEmptyListAndHeaderOnlySave)
{
    doc->LoadFile("cue");
    ASSERT_EQ(person.dialogDirs.size(), 1u);
    EXPECT_EQ(person.dialogDirs[0], std::string(getenv("GLIMMERBOX_HOME")));
    EXPECT_STREQ(doc->m_cueFileName, "default.cue");
    EXPECT_EQ(doc->m_currentCue, 0);
    EXPECT_EQ(UsedSlots(), 0);
    doc->SaveFile("cue");
    EXPECT_EQ(dir.Read("default.cue"), "ChaseList_Selected|default.B5|\n");
}

TEST_F(CueFile, LoadCueListSavesTheCurrentListBeforeOpeningAnother)
{
    dir.Write("b.cue", kOpening);
    Name("a.cue");
    std::strcpy(doc->m_cueName[1], "Edited");
    person.files = {dir.Path("b.cue")};
    doc->LoadCueList();
    EXPECT_EQ(dir.Read("a.cue"), "ChaseList_Selected|default.B5|\nEdited||0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0|\n");
    EXPECT_EQ(doc->m_cueFileName, dir.Path("b.cue"));
    EXPECT_STREQ(doc->m_cueName[1], "Opening");
}

TEST_F(CueFile, FileNewSavesClearsAndSavesUnderTheNewName)
{
    dir.Write("a.cue", kOpening);
    Name("a.cue");
    doc->LoadFile("cue");
    doc->m_cueFadeTime[1] = 7;
    person.files = {dir.Path("new.cue")};
    doc->SaveFile("cue");
    doc->ClearCues();
    doc->SaveCueListAs();
    EXPECT_NE(dir.Read("a.cue").find("Opening|Sweep|1 2 3 4 5 6 7 8 9 10 11 12 7 "), std::string::npos);
    EXPECT_EQ(dir.Read("new.cue"), "ChaseList_Selected|default.B5|\n");
    EXPECT_EQ(doc->m_cueFileName, dir.Path("new.cue"));
}

// A cancelled Save As used to switch the list to default.cue, so the console's close
// then wrote the list over the operator's default.cue. A cancel, like a path too long
// for the name, now leaves the list on its own file.
TEST_F(CueFile, SaveAsCancelledOrTooLongKeepsTheListsFile)
{
    for (const std::string& answer : {std::string(), "/" + std::string(kFileNameSize, 'p') + ".cue"}) {
        Name("a.cue");
        std::strcpy(doc->m_cueName[1], "One");
        person.files = {answer};
        doc->SaveCueListAs();
        EXPECT_STREQ(doc->m_cueFileName, "a.cue");
        EXPECT_FALSE(dir.Exists("a.cue"));
        EXPECT_FALSE(dir.Exists("default.cue"));
    }
    // The path too long is refused aloud, never cut into the name of another file.
    ASSERT_EQ(person.shown.size(), 1u);
    EXPECT_NE(person.shown[0].text.find("longer than the 199 characters"), std::string::npos);
    EXPECT_NE(person.shown[0].text.find("nothing was saved"), std::string::npos);
    doc->SaveFile("cue");
    EXPECT_NE(dir.Read("a.cue").find("One|"), std::string::npos);
    doc->m_operator = nullptr;
    doc->LoadCueList();  // nobody answers the open dialog: the default list opens
    EXPECT_STREQ(doc->m_cueFileName, "default.cue");
}

// A list saved as "myshow" used to be written without an extension, so the open
// dialog's "*.cue" filter never listed it again.
TEST_F(CueFile, NameTypedWithoutAnExtensionGetsDotCue)
{
    std::filesystem::create_directory(dir.Path("v1.0"));
    for (const auto& [typed, file] : {std::pair{"myshow", "myshow.cue"}, {"evening.txt", "evening.txt"},
                                      {"v1.0/evening", "v1.0/evening.cue"}}) {
        SCOPED_TRACE(typed);
        std::strcpy(doc->m_cueName[1], "Kept");
        person.files = {dir.Path(typed), dir.Path(typed)};
        doc->SaveCueListAs();
        Name("");
        doc->ClearCues();
        doc->LoadCueList();
        EXPECT_EQ(doc->m_cueFileName, dir.Path(file));
        EXPECT_STREQ(doc->m_cueName[1], "Kept");  // saved there and opened from there
    }
}

// Each bad line sits before a good cue line, which must still load as the last cue.
TEST_F(CueFile, BadLinesAreSkippedOrCutNeverOverrun)
{
    const struct {
        std::string line;
        int cues;  // cues loaded, the good line included
        std::function<void(const CShowData&)> check;
    } cases[] = {
        {"|Sweep|1 2 3|", 1, nullptr},
        {"||", 1, nullptr},
        {"Lone", 2, [](const CShowData& d) { EXPECT_STREQ(d.m_cueChase[1], ""); }},
        {"Few|C|10 20|", 2, [](const CShowData& d) {
             EXPECT_EQ(d.m_cueLevel[kCross][1], 20);
             EXPECT_EQ(d.m_cueLevel[kAux1][1], 0);
             EXPECT_FALSE(d.m_cueForward[1]);
         }},
        {"Bad|C|10 x 30|", 2, [](const CShowData& d) {
             EXPECT_EQ(d.m_cueLevel[kStar][1], 10);
             EXPECT_EQ(d.m_cueLevel[kAux1][1], 0);
         }},
        {"Range|C|150 -5 0 0 0 0 0 0 0 0 0 0 0 0 999 -1 7 0 0|", 2, [](const CShowData& d) {
             EXPECT_EQ(d.m_cueLevel[kStar][1], 100);
             EXPECT_EQ(d.m_cueLevel[kCross][1], 0);
             EXPECT_EQ(d.m_cueLevel[kChest][1], 100);
             EXPECT_EQ(d.m_cueLevel[kOutline][1], 0);
             EXPECT_TRUE(d.m_cueForward[1]);
         }},
        {"Huge|C|99999999999999999999 1|", 2, [](const CShowData& d) {
             EXPECT_EQ(d.m_cueLevel[kStar][1], 100);
             EXPECT_EQ(d.m_cueLevel[kCross][1], 1);
         }},
        // An empty chase name does not cost the cue its numbers.
        {"NoChase||40|", 2, [](const CShowData& d) { EXPECT_EQ(d.m_cueLevel[kStar][1], 40); }},
        {std::string(150, 'n') + "|" + std::string(3000, 'c'), 2, [](const CShowData& d) {
             EXPECT_EQ(std::strlen(d.m_cueName[1]), 99u);
             EXPECT_EQ(std::strlen(d.m_cueChase[1]), 99u);
         }},
        {"Crlf|C|5|\r", 2, [](const CShowData& d) { EXPECT_EQ(d.m_cueLevel[kStar][1], 5); }},
        {std::string("Nul|C|\0 5|", 10), 2, [](const CShowData& d) { EXPECT_EQ(d.m_cueLevel[kStar][1], 0); }},
        {"\xff\x01\x80|\xfe||||", 2, nullptr},
        {"xChaseList_Selectedy|" + std::string(400, 'L') + "|", 1,
         [](const CShowData& d) { EXPECT_EQ(std::strlen(d.m_selectedChaseList), 199u); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line.substr(0, 40));
        auto fresh = std::make_unique<CShowData>();
        std::strcpy(fresh->m_cueFileName, "show.cue");
        dir.Write("show.cue", c.line + "\n\n\r\nGood|C|1|");
        fresh->LoadFile("cue");
        EXPECT_STREQ(fresh->m_cueName[c.cues], "Good");
        EXPECT_EQ(fresh->FindFreeCue(), c.cues + 1);
        EXPECT_EQ(fresh->m_currentCue, 1);
        EXPECT_STREQ(fresh->m_cueName[0], "");
        if (c.check)
            c.check(*fresh);
    }
}

TEST_F(CueFile, BarsAndLineBreaksInNamesCannotSplitTheRecord)
{
    Name("show.cue");
    std::strcpy(doc->m_cueName[1], "Act 1|Scene\r\n2");
    std::strcpy(doc->m_cueChase[1], "Up|Down");
    doc->m_cueRunCount[1] = 20;
    doc->SaveFile("cue");
    doc->LoadFile("cue");
    EXPECT_STREQ(doc->m_cueName[1], "Act 1/Scene//2");
    EXPECT_STREQ(doc->m_cueChase[1], "Up/Down");
    EXPECT_EQ(doc->m_cueRunCount[1], 20);
    EXPECT_EQ(doc->FindFreeCue(), 2);
}

TEST_F(CueFile, LinesBeyondTheLastSlotAreIgnored)
{
    std::string file;
    for (int i = 1; i <= kCueSlots + 5; ++i)
        file += "Cue " + std::to_string(i) + "|C|" + std::to_string(i % 101) + "|\n";
    dir.Write("big.cue", file + "ChaseList_Selected|late|\n");
    Name("big.cue");
    doc->LoadFile("cue");
    EXPECT_EQ(doc->FindFreeCue(), 0);
    EXPECT_STREQ(doc->m_cueName[kCueSlots - 1], "Cue 7499");
    EXPECT_STREQ(doc->m_cueName[0], "");
    EXPECT_STREQ(doc->m_selectedChaseList, "late");
}

TEST_F(CueFile, UnreadableOrUnwritableListsChangeNothingOnDisk)
{
    Name("missing.cue");
    std::strcpy(doc->m_cueName[4], "Stale");
    doc->LoadFile("cue");
    EXPECT_EQ(UsedSlots(), 0);
    EXPECT_EQ(doc->m_currentCue, 0);
    std::strcpy(doc->m_cueName[1], "Kept");
    Name("/nonexistent-dir/x.cue");
    doc->SaveFile("cue");
    EXPECT_STREQ(doc->m_cueName[1], "Kept");
    ASSERT_EQ(person.shown.size(), 1u);
    EXPECT_EQ(person.shown[0].text, "Could not save the cue list\n/nonexistent-dir/x.cue: No such file or directory.\n"
                                    "The file on disk was not changed.");
}

}  // namespace
