#include "document/ShowData.h"
#include "link/FrameEncoder.h"
#include "link/SerialPort.h"
#include "tests/PtyLine.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

class CCountingPort : public CSerialPort {
public:
    using CSerialPort::CSerialPort;
    int Write(const void* bytes, int count) override
    {
        ++writes;
        return CSerialPort::Write(bytes, count);
    }
    int writes = 0;
};

Bytes Zeros(int n)
{
    return Bytes(static_cast<size_t>(n), 0x00);
}

class SendFramesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(line1.Ok() && line2.Ok());
        doc->m_tree1Port = &tree1;
        doc->m_tree2Port = &tree2;
        doc->m_running = true;
        doc->m_sendTreeSignals = true;
        // Cue 3: a few channels lit, with fades the tree is told about.
        std::strcpy(doc->m_cueName[3], "Three");
        doc->m_cueLevel[kStar][3] = 100;
        doc->m_cueLevel[kColor2][3] = 40;
        doc->m_cueLevel[kOutline][3] = 59;
        doc->m_currentCue = 3;
        doc->m_fadeTicks[kStar] = 30;
        doc->m_fadeTicks[kColor2] = 300;
        // Light step record 7 is step 2 of the running chase.
        doc->m_stepTierLamps[7][0][0] = 1;
        doc->m_stepTierLamps[7][15][5] = 1;
        doc->m_stepChestLamps[7][2] = 1;
        doc->m_chaseStepRecord[2] = 7;
        doc->m_chaseStep = 2;
    }

    Bytes ChannelSequence(int cue) const
    {
        Bytes out = Zeros(kLeadInBytes);
        for (int k = 0; k < kChannels; ++k) {
            unsigned char frame[kChannelFrameBytes];
            EncodeChannelFrame(frame, k, doc->m_fadeTicks[k], cue < 0 ? 0 : doc->m_cueLevel[k][cue]);
            out.insert(out.end(), frame, frame + kChannelFrameBytes);
            Bytes lead = Zeros(kLeadInBytes);
            out.insert(out.end(), lead.begin(), lead.end());
        }
        return out;
    }
    Bytes ChaseSequence(int record) const
    {
        Bytes out = Zeros(kLeadInBytes);
        unsigned char frame[kChaseFrameBytes];
        EncodeChaseFrame(frame, {doc->m_stepTierLamps[record], doc->m_stepChestLamps[record],
                                 doc->m_stepOutlineLamps[record]});
        out.insert(out.end(), frame, frame + kChaseFrameBytes);
        return out;
    }

    std::unique_ptr<CShowData> doc = std::make_unique<CShowData>();
    CPtyLine line1, line2;
    CCountingPort tree1{line1.path.c_str()};
    CCountingPort tree2{line2.path.c_str()};
};

TEST_F(SendFramesTest, CueSendsTheChannelSequenceToBothTrees)
{
    doc->m_sendPending = true;
    doc->SendFrames("cue");
    Bytes got1 = line1.Receive(kChannelSequenceBytes);
    Bytes got2 = line2.Receive(kChannelSequenceBytes);
    ASSERT_EQ(got1.size(), 663u);
    EXPECT_EQ(got1, ChannelSequence(3));
    EXPECT_EQ(got1, got2);
    // Star at full over 3 s, right after the lead-in.
    EXPECT_EQ(Bytes(got1.begin() + 33, got1.begin() + 45),
              (Bytes{0x00, 0x00, 0x00, 0xFF, 0xFF, 0x02, 0x1E, 0xD7, 0x01, 0x00, 0x00, 0xF8}));
    EXPECT_FALSE(doc->m_sendPending);
    // Lead-in as single-byte writes: 1 + 14 * (1 frame + 33 lead-in bytes) + 33.
    EXPECT_EQ(tree1.writes, 33 + 14 * 34);
}

TEST_F(SendFramesTest, ChaseSendsTheCurrentLightStep)
{
    doc->SendFrames("chase");
    Bytes got1 = line1.Receive(kChaseSequenceBytes);
    ASSERT_EQ(got1.size(), 71u);
    EXPECT_EQ(got1, ChaseSequence(7));
    EXPECT_EQ(got1[33 + 12], 0x3E);  // tier 1, circuit 1 lit
    EXPECT_EQ(got1[33 + 19], 0x1F);  // tier 16, circuit 6 lit
    EXPECT_EQ(line2.Receive(kChaseSequenceBytes), got1);
}

TEST_F(SendFramesTest, RunFlagsAndPendingMarkChooseWhatGoesOut)
{
    const struct {
        bool running, signals, pending;
        const char* kind;
        size_t bytes;
    } cases[] = {
        {true, true, false, "chase", 71},   {true, true, true, "chase", 663}, {true, true, false, "cue", 663},
        {false, true, true, "cue", 0},      {true, false, true, "cue", 0},    {false, false, false, "chase", 0},
    };
    for (const auto& c : cases) {
        doc->m_running = c.running;
        doc->m_sendTreeSignals = c.signals;
        doc->m_sendPending = c.pending;
        doc->SendFrames(c.kind);
        EXPECT_EQ(line1.Receive(c.bytes).size(), c.bytes) << c.kind << c.running << c.signals << c.pending;
        EXPECT_EQ(line2.Receive(c.bytes).size(), c.bytes) << c.kind << c.running << c.signals << c.pending;
        EXPECT_FALSE(doc->m_sendPending) << "the mark is cleared also when nothing went out";
    }
}

TEST_F(SendFramesTest, PortsThatAreAbsentClosedOrFailedAreSkipped)
{
    CSerialPort none("NONE");
    CCountingPort failed(line1.path.c_str());
    failed.m_lastError = EIO;
    for (CSerialPort* first : {static_cast<CSerialPort*>(nullptr), &none, static_cast<CSerialPort*>(&failed)}) {
        doc->m_tree1Port = first;
        doc->SendFrames("chase");
        EXPECT_EQ(line2.Receive(kChaseSequenceBytes), ChaseSequence(7));
    }
    EXPECT_EQ(failed.writes, 0);
    EXPECT_EQ(failed.m_lastError, static_cast<unsigned>(EIO));
}

TEST_F(SendFramesTest, CurrentCueOutsideTheTableSendsDarkLevels)
{
    for (int cue : {-1, kCueSlots, 1 << 30}) {
        doc->m_currentCue = cue;
        doc->SendFrames("cue");
        EXPECT_EQ(line1.Receive(kChannelSequenceBytes), ChannelSequence(-1)) << cue;
        line2.Receive(kChannelSequenceBytes);
    }
}

TEST_F(SendFramesTest, StepRecordOutsideThePoolSendsAnAllDarkStep)
{
    doc->m_chaseStepRecord[2] = kStepRecords + 10;
    doc->SendFrames("chase");
    Bytes got = line1.Receive(kChaseSequenceBytes);
    ASSERT_EQ(got.size(), 71u);
    EXPECT_EQ(Bytes(got.begin() + 40, got.begin() + 69), Bytes(29, 0x3F));
}

// A tree that stops reading costs one refused write per tick, the other tree is
// served in full, and once the line drains the tree first gets the current cue.
TEST_F(SendFramesTest, StalledTreeIsSkippedAtOnceAndCaughtUpWithTheCue)
{
    size_t stuck = HoldBack(tree1.m_fd);
    doc->SendFrames("chase");
    EXPECT_EQ(tree1.writes, 1);
    EXPECT_EQ(line2.Receive(kChaseSequenceBytes), ChaseSequence(7));
    EXPECT_FALSE(doc->m_treeTookFrames[0]);
    EXPECT_TRUE(doc->m_treeTookFrames[1]);
    EXPECT_TRUE(tree1.IsUsable());

    EXPECT_EQ(line1.Receive(stuck).size(), stuck);  // the tree reads again
    doc->SendFrames("chase");
    EXPECT_EQ(line1.Receive(kChannelSequenceBytes), ChannelSequence(3));
    EXPECT_EQ(line2.Receive(kChaseSequenceBytes), ChaseSequence(7)) << "the other tree is not disturbed";
    EXPECT_TRUE(doc->m_treeTookFrames[0]);
    doc->SendFrames("chase");
    EXPECT_EQ(line1.Receive(kChaseSequenceBytes), ChaseSequence(7));
}

// Like a USB adapter pulled out: that tree is dropped, the other goes on.
TEST_F(SendFramesTest, TreeWhoseOtherSideClosedIsDroppedFromThenOn)
{
    line1.CloseTreeSide();
    doc->SendFrames("chase");
    EXPECT_EQ(tree1.writes, 1);
    EXPECT_EQ(tree1.m_lastError, static_cast<unsigned>(EIO));
    doc->SendFrames("chase");
    EXPECT_EQ(tree1.writes, 1);
    EXPECT_EQ(line2.Receive(2 * kChaseSequenceBytes).size(), 2u * kChaseSequenceBytes);
}

class EngineToTreeTest : public SendFramesTest {
protected:
    void SetUp() override
    {
        SendFramesTest::SetUp();
        doc->m_cueActiveTime[3] = 100;
        doc->m_cueFadeTime[3] = 30;
    }
};

TEST_F(EngineToTreeTest, StartedCueSendsChannelsAndTickSendsTheChase)
{
    doc->StartCue(3);
    Bytes channels = line1.Receive(kChannelSequenceBytes);
    ASSERT_EQ(channels.size(), 663u);
    EXPECT_EQ(channels, ChannelSequence(3));
    EXPECT_EQ(line2.Receive(kChannelSequenceBytes), channels);

    doc->Tick(nullptr);
    Bytes chase = line1.Receive(kChaseSequenceBytes);
    ASSERT_EQ(chase.size(), 71u);
    EXPECT_EQ(chase, ChaseSequence(doc->CurrentStepRecord()));
    EXPECT_EQ(line2.Receive(kChaseSequenceBytes), chase);
}

TEST_F(EngineToTreeTest, CueStartedDuringATransmissionGoesOutWithTheNextTick)
{
    doc->m_sendBusy = true;
    doc->StartCue(3);
    EXPECT_TRUE(doc->m_sendPending);
    EXPECT_TRUE(line1.Receive(0).empty());

    doc->m_sendBusy = false;
    doc->Tick(nullptr);
    EXPECT_EQ(line1.Receive(kChannelSequenceBytes), ChannelSequence(3));
    EXPECT_FALSE(doc->m_sendPending);

    doc->Tick(nullptr);
    EXPECT_EQ(line1.Receive(kChaseSequenceBytes).size(), 71u);
}

}  // namespace
