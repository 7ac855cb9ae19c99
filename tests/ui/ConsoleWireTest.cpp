// The bytes the console puts on the tree lines, read from pseudo-terminals.
#include "link/FrameEncoder.h"
#include "tests/PtyLine.h"
#include "tests/ui/ConsoleFixture.h"

#include <QLineEdit>
#include <QTest>

namespace {

using Bytes = std::vector<unsigned char>;

class ConsoleWireTest : public ConsoleTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(line1.Ok() && line2.Ok());
        ASSERT_TRUE(tree1.Open(line1.path.c_str()));
        ASSERT_TRUE(tree2.Open(line2.path.c_str()));
        WriteShow(3);
        Open();
        ASSERT_TRUE(console->Loaded());
    }
    static Bytes Frame(const unsigned char* frame) { return Bytes(frame, frame + kChannelFrameBytes); }
    Bytes ExpectedChaseFrame() const
    {
        int r = doc->CurrentStepRecord();
        unsigned char frame[kChaseFrameBytes];
        EncodeChaseFrame(frame, {doc->m_stepTierLamps[r], doc->m_stepChestLamps[r], doc->m_stepOutlineLamps[r]});
        return Bytes(frame, frame + kChaseFrameBytes);
    }

    CPtyLine line1;
    CPtyLine line2;
};

TEST_F(ConsoleWireTest, OpeningSendsTheStartUpFrameToBothTrees)
{
    EXPECT_EQ(line1.Receive(kChannelFrameBytes), Frame(kStartupFrame));
    EXPECT_EQ(line2.Receive(kChannelFrameBytes), Frame(kStartupFrame));
}

TEST_F(ConsoleWireTest, RunningShowSendsChaseFramesEachTickAndChannelFramesOnAChosenCue)
{
    line1.Receive(kChannelFrameBytes);
    line2.Receive(kChannelFrameBytes);
    console->OnSendTreeSignals();
    Control("1006")->click();
    EXPECT_TRUE(line1.Receive().empty());  // START itself sends nothing; the next tick does
    Ticks(1);
    Bytes chase = line1.Receive(kChaseSequenceBytes);
    ASSERT_EQ(chase.size(), static_cast<size_t>(kChaseSequenceBytes));
    EXPECT_EQ(Bytes(chase.end() - kChaseFrameBytes, chase.end()), ExpectedChaseFrame());
    EXPECT_EQ(line2.Receive(kChaseSequenceBytes), chase);  // the second tree gets the same bytes
    EXPECT_EQ(Status(), QString("Data Sent     CUE #(1)  Chase #(%1)").arg(doc->m_currentChase));

    CueList()->setCurrentRow(2);
    EXPECT_EQ(line1.Receive(kChannelSequenceBytes).size(), static_cast<size_t>(kChannelSequenceBytes));
}

TEST_F(ConsoleWireTest, NothingGoesOutWithSendingOffOrTheShowStopped)
{
    line1.Receive(kChannelFrameBytes);
    Ticks(2);
    console->OnSendTreeSignals();
    Ticks(2);
    console->OnSendTreeSignals();
    Control("1006")->click();
    Ticks(2);
    CueList()->setCurrentRow(1);
    Ticks(1);
    EXPECT_TRUE(line1.Receive().empty());
    EXPECT_TRUE(Status().startsWith("NO Data Sent     CUE #(2)"));
}

TEST_F(ConsoleWireTest, ClosingSendsTheShutDownFrameLast)
{
    line1.Receive(kChannelFrameBytes);
    console->OnSendTreeSignals();
    Control("1006")->click();
    Ticks(1);
    console->close();
    Bytes bytes = line1.Receive(kChaseSequenceBytes + kChannelFrameBytes);
    ASSERT_GE(bytes.size(), static_cast<size_t>(kChannelFrameBytes));
    EXPECT_EQ(Bytes(bytes.end() - kChannelFrameBytes, bytes.end()), Frame(kShutdownFrame));
    EXPECT_EQ(line2.Receive(kChannelFrameBytes * 2 + kChaseSequenceBytes).size(),
              static_cast<size_t>(kChannelFrameBytes * 2 + kChaseSequenceBytes));
}

// A click on the line already highlighted, after Enter or an automatic advance
// moved the show, or on the line of the cue playing, used to start nothing.
TEST_F(ConsoleWireTest, EveryClickOnALineStartsItsCueOnceWithItsChannelFrames)
{
    console->Timer().stop();  // the test ticks by hand, so no chase frame slips in
    console->show();
    console->OnSendTreeSignals();
    Control("1006")->click();
    Ticks(1);
    auto clickLine = [&](int row) {
        SCOPED_TRACE(row);
        line1.Receive();
        QTest::mouseClick(CueList()->viewport(), Qt::LeftButton, {},
                          CueList()->visualItemRect(CueList()->item(row)).center());
        EXPECT_EQ(doc->m_currentCue, row + 1);
        EXPECT_EQ(line1.Receive(kChannelSequenceBytes).size(), static_cast<size_t>(kChannelSequenceBytes));
        EXPECT_EQ(CueList()->currentRow(), row);
    };
    QTest::keyClick(CueList(), Qt::Key_Return);
    EXPECT_EQ(CueList()->currentRow(), 1) << "the highlight follows Enter at once";
    clickLine(1);
    clickLine(1);  // the cue that is playing, clicked again
    Control("1007")->click();
    Control("1009")->click();
    Ticks(1);  // active time 0: the next tick advances
    EXPECT_EQ(CueList()->currentRow(), 2);
    Control("1008")->click();
    clickLine(2);
    clickLine(0);
}

// Once both lines have failed, the status line must stop claiming "Data Sent".
TEST_F(ConsoleWireTest, LostLinesAreReportedInsteadOfDataSent)
{
    console->OnSendTreeSignals();
    Control("1006")->click();
    line1.CloseTreeSide();
    line2.CloseTreeSide();
    Ticks(2);
    EXPECT_FALSE(tree1.IsUsable());
    EXPECT_FALSE(tree2.IsUsable());
    EXPECT_TRUE(Status().startsWith("NO Data Sent - No Tree Port Open     CUE #(1)"));
}

// Lines that stay open but take nothing (a controller holding CTS back) are no
// "Data Sent" either; once a tree reads again the status says so.
TEST_F(ConsoleWireTest, HeldBackLinesAreReportedUntilATreeReadsAgain)
{
    console->OnSendTreeSignals();
    Control("1006")->click();
    size_t stuck = HoldBack(tree1.m_fd);
    HoldBack(tree2.m_fd);
    Ticks(1);
    EXPECT_TRUE(Status().startsWith("NO Data Sent - Tree Line Held Back     CUE #(1)"));
    line1.Receive(stuck);
    Ticks(1);
    EXPECT_TRUE(Status().startsWith("Data Sent     CUE #(1)"));
}

}  // namespace
