// The demo show that ships in demo/ loads with the real readers, plays for a minute
// or two under automatic advance, and is stored exactly as the program writes it.

#include "tests/FileTestSupport.h"

#include <set>
#include <string>
#include <vector>

namespace {

const std::string kDemoDir = [] {
    std::string here = __FILE__;  // <repo>/tests/DemoShowTest.cpp
    return here.substr(0, here.rfind("/tests/")) + "/demo/";
}();

std::string ReadDemo(const char* name)
{
    std::ifstream in(kDemoDir + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class DemoShowTest : public FileTest {
protected:
    void SetUp() override
    {
        for (const char* name : {"colors.txt", "default.B18", "default.cue", "Glimmerbox.cfg"}) {
            const std::string bytes = ReadDemo(name);
            ASSERT_FALSE(bytes.empty()) << name;
            dir.Write(name, bytes);
        }
        ASSERT_TRUE(doc->LoadLayout());
        doc->LoadFile("chase");
        std::snprintf(doc->m_cueFileName, kFileNameSize, "%s", "default.cue");
        doc->LoadFile("cue");
    }

    std::vector<std::string> Names(const char* kind) const
    {
        std::vector<std::string> list;
        doc->FillNameList(list, kind);
        return list;
    }
};

}  // namespace

TEST_F(DemoShowTest, LayoutHasEighteenTiersAndEveryElement)
{
    EXPECT_TRUE(person.shown.empty());
    EXPECT_EQ(doc->m_tierCount, 18);
    for (int t = 0; t < kTiers; ++t)
        EXPECT_TRUE(doc->m_tierPresent[t]) << t + 1;
    EXPECT_TRUE(doc->m_starPresent && doc->m_crossPresent && doc->m_chestPresent && doc->m_outlinePresent);
    EXPECT_STREQ(doc->m_chaseFileName, "default.B18");
    std::set<int> colours;
    for (int c = 0; c < kCircuits; ++c) {
        colours.insert(doc->m_tierColor[0][c]);
        EXPECT_TRUE(doc->m_levelBrush[doc->m_tierColor[0][c]][100].made);
    }
    EXPECT_GE(colours.size(), 5u);
}

TEST_F(DemoShowTest, ChaseLibraryAndCueListLoadWholeAndEveryCueNamesAChase)
{
    EXPECT_EQ(Names("chase").size(), 8u);
    EXPECT_EQ(doc->FindFreeStepRecord(), 66);  // 65 light steps
    ASSERT_EQ(Names("cue").size(), 13u);
    EXPECT_EQ(doc->m_currentCue, 1);

    bool forward = false, reverse = false, limitedRuns = false;
    for (int cue = 1; cue <= 13; ++cue) {
        doc->LoadChase(doc->m_cueChase[cue]);
        EXPECT_GT(doc->m_chaseStepCount, 0) << doc->m_cueName[cue];
        EXPECT_GT(doc->m_cueActiveTime[cue], 0) << doc->m_cueName[cue];
        for (int k = 0; k < kChannels; ++k) {
            EXPECT_GE(doc->m_cueLevel[k][cue], 0);
            EXPECT_LE(doc->m_cueLevel[k][cue], 100);
        }
        (doc->m_cueForward[cue] ? forward : reverse) = true;
        limitedRuns |= doc->m_cueRunCount[cue] != 20;
    }
    EXPECT_TRUE(forward && reverse && limitedRuns);
}

TEST_F(DemoShowTest, AutomaticForwardPlaysEveryCueInOrderWithinOneToTwoMinutes)
{
    doc->m_running = true;
    doc->m_autoAdvance = doc->m_advanceForward = true;
    doc->StartCue(1);
    std::vector<int> order{1};
    int ticks = 0;
    while (ticks < 3000) {
        doc->Tick(nullptr);
        ++ticks;
        if (doc->m_currentCue != order.back()) {
            if (doc->m_currentCue == 1)
                break;
            order.push_back(doc->m_currentCue);
        }
    }
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
    EXPECT_GE(ticks, 600);   // a tick is 100 ms
    EXPECT_LE(ticks, 1200);
}

TEST_F(DemoShowTest, FilesAreStoredExactlyAsTheProgramWritesThem)
{
    doc->SaveFile("cue");
    doc->SaveFile("chase");
    doc->SaveLayout();
    EXPECT_EQ(dir.Read("default.cue"), ReadDemo("default.cue"));
    EXPECT_EQ(dir.Read("default.B18"), ReadDemo("default.B18"));
    EXPECT_EQ(dir.Read("colors.txt"), ReadDemo("colors.txt"));
    EXPECT_EQ(ReadDemo("Glimmerbox.cfg"), "1|NONE|\n2|NONE|\n");
}
