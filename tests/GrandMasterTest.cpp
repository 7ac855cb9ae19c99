// The grand master and blackout as the tree gets them, and the lock line of the layout file.
#include "tests/FileTestSupport.h"

namespace {

TEST(GrandMaster, ScalesEveryTargetInIntegerDivisionAndBlackoutSendsZero)
{
    const struct {
        int master;  // as asked for
        bool blackout;
        int level;
        int sent;
    } cases[] = {
        {100, false, 57, 57},   {100, false, 0, 0},   {100, false, 250, 250},  // full: as it was
        {100, false, -7, -7},   {50, false, 57, 28},  {50, false, 100, 50},
        {33, false, 100, 33},   {1, false, 99, 0},    {0, false, 100, 0},
        {150, false, 80, 80},   {-5, false, 80, 0},   {100, true, 100, 0},
        {50, true, 57, 0},      {100, false, 2147483647, 2147483647},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.master << " " << c.blackout << " " << c.level);
        auto doc = std::make_unique<CShowData>();
        EXPECT_EQ(doc->m_master, 100) << "a new document is at full";
        doc->SetMaster(c.master);
        doc->SetBlackout(c.blackout);
        EXPECT_EQ(doc->SentLevel(c.level), c.sent);
        doc->m_level[kColor3] = c.level;
        EXPECT_EQ(doc->ShownLevel(kColor3), c.sent);
    }
}

TEST(GrandMaster, OnlyAChangeMarksTheLevelsStaleOrSendsTheBlackout)
{
    auto doc = std::make_unique<CShowData>();
    doc->SetMaster(100);
    doc->SetBlackout(false);
    EXPECT_FALSE(doc->m_masterStale);
    EXPECT_FALSE(doc->m_sendPending);
    doc->SetMaster(250);  // clamped to the 100 it is at
    EXPECT_FALSE(doc->m_masterStale);
    doc->SetMaster(40);
    EXPECT_TRUE(doc->m_masterStale);
    EXPECT_FALSE(doc->m_sendPending) << "a move waits for a tick";
    doc->SetBlackout(true);
    EXPECT_TRUE(doc->m_sendPending);
}

using LayoutLock = FileTest;

TEST_F(LayoutLock, OnlyALockedConsoleWritesTheLockLineAndReadingItLocks)
{
    const std::string body = kDefaultColors + "row|1|1|2|3|5|0|0|\n"
                             "WINDOW|MAIN|0|0|0|0|\nWINDOW|CUE|0|0|0|0|\nWINDOW|CHASE|0|0|0|0|\n";
    dir.Write("colors.txt", body);
    ASSERT_TRUE(doc->LoadLayout());
    EXPECT_FALSE(doc->m_editingLocked);
    doc->SaveLayout();
    EXPECT_EQ(dir.Read("colors.txt"), body) << "unlocked: the file as it always was";

    doc->m_editingLocked = true;
    doc->SaveLayout();
    EXPECT_EQ(dir.Read("colors.txt"), body + "lock|editing|\n");
    auto again = std::make_unique<CShowData>();
    again->m_operator = &person;
    ASSERT_TRUE(again->LoadLayout());
    EXPECT_TRUE(again->m_editingLocked);

    // The line anywhere in the file locks; a file read again without it unlocks.
    dir.Write("colors.txt", "lock|\n" + body);
    ASSERT_TRUE(again->LoadLayout());
    EXPECT_TRUE(again->m_editingLocked);
    dir.Write("colors.txt", body);
    ASSERT_TRUE(again->LoadLayout());
    EXPECT_FALSE(again->m_editingLocked);
}

}  // namespace
