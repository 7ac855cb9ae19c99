// A tree line that stalls while the show runs, on real pseudo-terminals: the
// console never waits, and the tree ends up showing the current cue from whole
// frames only.
#include "link/SerialPort.h"
#include "tests/DecodeFrames.h"
#include "tests/EngineShow.h"
#include "tests/PtyLine.h"

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace {

using namespace engine_test;
using Bytes = std::vector<unsigned char>;

// The kinds of frames a tree got; checks that each was whole and that every
// channel frame carried `level`.
std::vector<FrameKind> Received(const Bytes& bytes, int level)
{
    std::vector<FrameKind> kinds;
    for (const DecodedFrame& f : DecodeAll(bytes)) {
        EXPECT_FALSE(IsFault(f)) << DescribeFrame(f);
        if (f.kind == FrameKind::kChannel && f.level != level)
            ADD_FAILURE() << "expected level " << level << ": " << DescribeFrame(f);
        kinds.push_back(f.kind);
    }
    return kinds;
}

std::vector<FrameKind> CueThenChases(int chases)
{
    std::vector<FrameKind> kinds(kChannels, FrameKind::kChannel);
    kinds.insert(kinds.end(), static_cast<size_t>(chases), FrameKind::kChase);
    return kinds;
}

// Cue 1 lights every channel at 80, cue 2 at 30; both run a four-step chase.
class TreeLineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(line1.Ok() && line2.Ok());
        AddChase(*doc, "Run", 1, 4);
        SetCue(*doc, 1, {"One", "Run", 0, -1, 0, 20, true});
        SetCue(*doc, 2, {"Two", "Run", 0, -1, 0, 20, true});
        SetAllLevels(*doc, 1, 80);
        SetAllLevels(*doc, 2, 30);
        doc->m_tree1Port = &tree1;
        doc->m_tree2Port = &tree2;
        doc->m_running = doc->m_sendTreeSignals = true;
        doc->StartCue(1);
        line1.Receive(kChannelSequenceBytes);
        line2.Receive(kChannelSequenceBytes);
    }

    std::unique_ptr<CShowData> doc = NewShow();
    CPtyLine line1, line2;
    CSerialPort tree1{line1.path.c_str()};
    CSerialPort tree2{line2.path.c_str()};
};

class TreeLineStallTest : public TreeLineTest, public ::testing::WithParamInterface<int> {};

// Tree 1 stops reading for the given seconds while the show ticks in real time and
// changes cue half-way.
TEST_P(TreeLineStallTest, StalledTreeCatchesUpWithTheCurrentCueAndTheOtherMissesNothing)
{
    const int ticks = GetParam() * 10;
    size_t stuck = HoldBack(tree1.m_fd);
    Bytes got2;
    auto next = std::chrono::steady_clock::now();
    for (int t = 0; t < ticks; ++t) {
        if (t == ticks / 2)
            doc->StartCue(2);
        doc->Tick(nullptr);
        Bytes more = line2.Receive(0, 0);
        got2.insert(got2.end(), more.begin(), more.end());
        std::this_thread::sleep_until(next += std::chrono::milliseconds(100));
    }
    EXPECT_FALSE(doc->m_treeTookFrames[0]);

    Bytes got1 = line1.Receive(stuck);  // the tree reads again
    for (int t = 0; t < 3; ++t)
        doc->Tick(nullptr);
    Bytes after = line1.Receive(kChannelSequenceBytes + 2 * kChaseSequenceBytes);
    got1.insert(got1.end(), after.begin(), after.end());
    std::vector<FrameKind> kinds1 = Received(got1, 30);
    ASSERT_GE(kinds1.size(), 16u);
    EXPECT_EQ(std::vector<FrameKind>(kinds1.end() - 16, kinds1.end()), CueThenChases(2));

    Bytes more = line2.Receive(3 * kChaseSequenceBytes);
    got2.insert(got2.end(), more.begin(), more.end());
    std::vector<FrameKind> kinds2 = Received(got2, 30);
    EXPECT_EQ(std::count(kinds2.begin(), kinds2.end(), FrameKind::kChase), ticks + 3);
    EXPECT_EQ(std::count(kinds2.begin(), kinds2.end(), FrameKind::kChannel), kChannels);
}

INSTANTIATE_TEST_SUITE_P(Seconds, TreeLineStallTest, ::testing::Values(1, 5, 30));

}  // namespace
