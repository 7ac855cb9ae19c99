// The bytes the console puts on the tree lines, read from pseudo-terminals.
#include "link/FrameEncoder.h"
#include "tests/DecodeFrames.h"
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

    // A channel sequence of `cue`: its fourteen levels, channel by channel.
    void ExpectChannelsOf(int cue, const Bytes& bytes) const
    {
        std::vector<DecodedFrame> frames = DecodeAll(bytes, false);
        ASSERT_EQ(frames.size(), static_cast<size_t>(kChannels));
        for (int k = 0; k < kChannels; ++k) {
            EXPECT_EQ(frames[k].channel, k);
            EXPECT_EQ(frames[k].level, doc->m_cueLevel[k][cue]);
        }
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
    ExpectChannelsOf(1, line1.Receive(kChannelSequenceBytes));  // cue 1 reaches the tree before any chase
    line2.Receive(kChannelSequenceBytes);
    Ticks(1);
    Bytes chase = line1.Receive(kChaseSequenceBytes);
    ASSERT_EQ(chase.size(), static_cast<size_t>(kChaseSequenceBytes));
    EXPECT_EQ(Bytes(chase.end() - kChaseFrameBytes, chase.end()), ExpectedChaseFrame());
    EXPECT_EQ(line2.Receive(kChaseSequenceBytes), chase);  // the second tree gets the same bytes
    EXPECT_EQ(Status(), QString("Data Sent     CUE #(1)  Chase #(%1)").arg(doc->m_currentChase));

    CueList()->setCurrentRow(2);
    EXPECT_EQ(line1.Receive(kChannelSequenceBytes).size(), static_cast<size_t>(kChannelSequenceBytes));
}

// Sending switched on mid-show used to leave the tree on old levels until the next cue.
TEST_F(ConsoleWireTest, SendingSwitchedOnMidShowSendsTheCurrentCueAtTheNextTick)
{
    line1.Receive(kChannelFrameBytes);
    doc->m_cueLevel[kAux1][2] = 33;  // cue 2 differs from cue 1
    Control("1006")->click();
    CueList()->setCurrentRow(1);
    console->OnSendTreeSignals();
    Ticks(1);
    ExpectChannelsOf(2, line1.Receive(kChannelSequenceBytes));
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
    Bytes bytes = line1.Receive(kChannelSequenceBytes + kChaseSequenceBytes + kChannelFrameBytes);
    ASSERT_GE(bytes.size(), static_cast<size_t>(kChannelFrameBytes));
    EXPECT_EQ(Bytes(bytes.end() - kChannelFrameBytes, bytes.end()), Frame(kShutdownFrame));
    const size_t all = kChannelFrameBytes * 2 + kChannelSequenceBytes + kChaseSequenceBytes;
    EXPECT_EQ(line2.Receive(all).size(), all);
}

// A click on the line already highlighted, after Enter or an automatic advance
// moved the show, or on the line of the cue playing, used to start nothing.
TEST_F(ConsoleWireTest, EveryClickOnALineStartsItsCueOnceWithItsChannelFrames)
{
    console->Clock().SetTicking(false);  // the test ticks by hand, so no chase frame slips in
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

// The status line names each tree whose line did not take the frames, and keeps
// the texts that were already true for both.
TEST_F(ConsoleWireTest, StatusLineSaysWhatKeepsEachTreesLineFromTakingFrames)
{
    enum Line { kGood, kHeld, kLost, kFile, kNone };
    const struct {
        Line tree1, tree2;
        bool running;
        const char* status;
    } cases[] = {
        {kGood, kGood, true, "Data Sent     CUE #(1)"},
        {kGood, kHeld, true, "Data Sent - Tree 2 Held Back     CUE"},
        {kLost, kGood, true, "Data Sent - Tree 1: not plugged in: plug the adapter in or choose another port     CUE"},
        {kFile, kNone, true, "NO Data Sent - Tree 1: not a serial line: choose another port     CUE"},
        {kHeld, kLost, true, "NO Data Sent - Tree 1 Held Back - Tree 2: not plugged in: plug the adapter in"},
        {kHeld, kHeld, true, "NO Data Sent - Tree Line Held Back     CUE"},
        {kLost, kLost, true, "NO Data Sent - Trees 1 and 2: not plugged in: plug the adapter in or choose another "
                             "port     CUE"},
        {kGood, kLost, false, "Will Send Info To Tree - Tree 2: not plugged in: plug the adapter in or choose another port"},
        {kFile, kGood, false, "Will Send Info To Tree - Tree 1: not a serial line: choose another port"},
    };
    console->OnSendTreeSignals();
    for (const auto& c : cases) {
        CPtyLine pty1, pty2;
        auto arrange = [&](CSerialPort& port, CPtyLine& pty, Line how) {
            std::string path = how == kNone ? "NONE" : how == kFile ? dir.Path("show.cue") : pty.path;
            port.Open(path.c_str());
            if (how == kHeld)
                HoldBack(port.m_fd);
            if (how == kLost)
                pty.CloseTreeSide();
        };
        arrange(tree1, pty1, c.tree1);
        arrange(tree2, pty2, c.tree2);
        if (c.running != doc->m_running)
            Control("1006")->click();
        console->OnLineCheck();
        Ticks(1);
        EXPECT_TRUE(Status().startsWith(c.status)) << Status().toStdString();
    }
}

// A tree's adapter pulled out and plugged back in under the same name while the
// show moves on: the console's own line check finds it, and that tree alone gets
// the start-up frame, the current cue, then the chase.
TEST_F(ConsoleWireTest, LineThatComesBackIsPickedUpByTheConsoleItself)
{
    std::string path = dir.Path("tree1");
    CPtyLine first, second;
    ASSERT_TRUE(PointLinkAt(path, first.path));
    ASSERT_TRUE(tree1.Open(path.c_str()));
    line2.Receive(kChannelFrameBytes);
    console->OnSendTreeSignals();
    Control("1006")->click();
    first.CloseTreeSide();
    doc->StartCue(2);
    ASSERT_TRUE(PointLinkAt(path, second.path));

    Bytes got;
    const size_t wanted = kChannelFrameBytes + kChannelSequenceBytes + kChaseSequenceBytes;
    bool arrived = QTest::qWaitFor([&] {
        unsigned char buffer[4096];
        ssize_t n = read(second.master, buffer, sizeof buffer);
        if (n > 0)
            got.insert(got.end(), buffer, buffer + n);
        return got.size() >= wanted;
    }, 3000);
    EXPECT_TRUE(arrived) << got.size() << " bytes arrived";
    std::vector<DecodedFrame> frames = DecodeAll(got);
    ASSERT_GE(frames.size(), 16u);
    EXPECT_EQ(frames[0].kind, FrameKind::kStartup);
    for (int k = 0; k < kChannels; ++k) {
        EXPECT_EQ(frames[k + 1].channel, k);
        EXPECT_EQ(frames[k + 1].level, doc->m_cueLevel[k][2]);
    }
    EXPECT_EQ(frames[15].kind, FrameKind::kChase);
    EXPECT_TRUE(Status().startsWith("Data Sent     CUE #(2)")) << Status().toStdString();
    for (const DecodedFrame& f : DecodeAll(line2.Receive()))
        EXPECT_NE(f.kind, FrameKind::kStartup) << "Tree 2 is not started afresh";
}

}  // namespace
