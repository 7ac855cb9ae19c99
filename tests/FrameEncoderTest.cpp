#include "document/ShowData.h"
#include "link/FrameEncoder.h"
#include "link/SerialPort.h"
#include "tests/PtyLine.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Channel(int channel, int fade, int level)
{
    Bytes out(kChannelFrameBytes, 0xEE);
    EXPECT_TRUE(EncodeChannelFrame(out.data(), channel, fade, level));
    return out;
}

struct Step {
    unsigned char tiers[kChaseTiers][kLampCircuits] = {};
    unsigned char chest[kLampCircuits] = {};
    unsigned char outline[kLampCircuits] = {};

    void All(unsigned char on)
    {
        std::memset(tiers, on, sizeof tiers);
        std::memset(chest, on, sizeof chest);
        std::memset(outline, on, sizeof outline);
    }
    Bytes Frame() const
    {
        Bytes out(kChaseFrameBytes, 0xEE);
        EncodeChaseFrame(out.data(), {tiers, chest, outline});
        return out;
    }
};

int Checksum(const Bytes& frame)
{
    return frame[frame.size() - 2] << 8 | frame.back();
}

TEST(LevelCode, BreaksAndEnds)
{
    const struct {
        int level, code;
    } cases[] = {{0, 85}, {1, 86}, {58, 143}, {59, 146}, {70, 161}, {80, 177}, {90, 195}, {100, 215},
                 // Out-of-range levels stay at the nearer end instead of wrapping into a dim code.
                 {-5, 85}, {101, 215}, {150, 215}, {1000000, 215}};
    for (const auto& c : cases)
        EXPECT_EQ(LevelCode(c.level), c.code) << "level " << c.level;
}

TEST(LevelCode, RisesStrictlyAndSkips144And145)
{
    for (int level = 1; level <= 100; ++level) {
        EXPECT_GT(LevelCode(level), LevelCode(level - 1)) << level;
        EXPECT_NE(LevelCode(level), 144);
        EXPECT_NE(LevelCode(level), 145);
    }
}

TEST(ChannelFrame, StarAtFullWithThreeSecondFade)
{
    EXPECT_EQ(Channel(kStar, 30, 100),
              (Bytes{0x00, 0x00, 0x00, 0xFF, 0xFF, 0x02, 0x1E, 0xD7, 0x01, 0x00, 0x00, 0xF8}));
}

TEST(ChannelFrame, FadeGoesOutAsItsLowByte)
{
    Bytes frame = Channel(kStar, 300, 0);
    EXPECT_EQ(frame[6], 0x2C);
    EXPECT_EQ(Checksum(frame), 0x02 + 0x2C + 85 + 0x01);
}

TEST(ChannelFrame, EveryChannelHasItsCommandAndAddress)
{
    const unsigned char table[14][3] = {
        {0x02, 0x01, 0x00}, {0x02, 0x02, 0x00}, {0x02, 0x04, 0x00}, {0x02, 0x08, 0x00}, {0x02, 0x10, 0x00},
        {0x02, 0x20, 0x00}, {0x02, 0x00, 0x01}, {0x02, 0x00, 0x02}, {0x02, 0x00, 0x04}, {0x02, 0x00, 0x08},
        {0x02, 0x00, 0x10}, {0x02, 0x00, 0x20}, {0x04, 0x01, 0x3F}, {0x04, 0x02, 0x3F}};
    for (int k = 0; k < 14; ++k) {
        Bytes frame = Channel(k, 7, 59);
        EXPECT_EQ(Bytes(frame.begin(), frame.begin() + 5), (Bytes{0, 0, 0, 0xFF, 0xFF})) << k;
        EXPECT_EQ(frame[5], table[k][0]) << k;
        EXPECT_EQ(frame[8], table[k][1]) << k;
        EXPECT_EQ(frame[9], table[k][2]) << k;
        EXPECT_EQ(frame[7], 146) << k;
        EXPECT_EQ(Checksum(frame), table[k][0] + 7 + 146 + table[k][1] + table[k][2]) << k;
    }
}

TEST(ChannelFrame, ChannelOutsideTheTableWritesNothing)
{
    for (int bad : {-1, 14, 1000}) {
        Bytes out(kChannelFrameBytes, 0xEE);
        EXPECT_FALSE(EncodeChannelFrame(out.data(), bad, 1, 1));
        EXPECT_EQ(out, Bytes(kChannelFrameBytes, 0xEE));
    }
}

TEST(ChaseFrame, AllOnAndAllOff)
{
    Step step;
    step.All(1);
    Bytes on = step.Frame();
    EXPECT_EQ(Bytes(on.begin(), on.begin() + 7), (Bytes{0, 0, 0, 0xFF, 0xFF, 0x14, 0x1D}));
    EXPECT_EQ(Bytes(on.begin() + 7, on.end() - 2), Bytes(29, 0x00));
    EXPECT_EQ(Checksum(on), 0x0031);

    step.All(0);
    Bytes off = step.Frame();
    EXPECT_EQ(Bytes(off.begin() + 7, off.end() - 2), Bytes(29, 0x3F));
    EXPECT_EQ(Checksum(off), 0x0754);
}

TEST(ChaseFrame, EachTierLandsInItsOwnBytes)
{
    // Frame bytes of every tier, as the controllers are wired.
    const std::vector<int> where[kChaseTiers] = {
        {12}, {13}, {14}, {15}, {16}, {17}, {18}, {20}, {22}, {24, 25}, {26, 27}, {28, 29},
        {30, 31}, {32, 33}, {34, 35}, {19}, {21}, {23}};
    for (int t = 0; t < kChaseTiers; ++t) {
        Step step;
        std::memset(step.tiers[t], 1, kLampCircuits);
        Bytes frame = step.Frame();
        for (int i = 7; i < 36; ++i) {
            bool lit = std::find(where[t].begin(), where[t].end(), i) != where[t].end();
            EXPECT_EQ(frame[i], lit ? 0x00 : 0x3F) << "tier " << t + 1 << " byte " << i;
        }
    }
}

TEST(ChaseFrame, ChestFillsFourBytesAndOutlineOne)
{
    Step step;
    std::memset(step.chest, 1, kLampCircuits);
    Bytes chest = step.Frame();
    EXPECT_EQ(Bytes(chest.begin() + 7, chest.begin() + 13), (Bytes{0x3F, 0, 0, 0, 0, 0x3F}));

    Step outline;
    std::memset(outline.outline, 1, kLampCircuits);
    Bytes frame = outline.Frame();
    EXPECT_EQ(frame[7], 0x00);
    EXPECT_EQ(frame[8], 0x3F);
}

TEST(ChaseFrame, CircuitCIsBitCMinusOneSetWhenOff)
{
    for (int c = 0; c < kLampCircuits; ++c) {
        unsigned char circuits[kLampCircuits] = {};
        circuits[c] = 200;  // any non-zero state is on
        EXPECT_EQ(LampByte(circuits), 0x3F & ~(1 << c)) << "circuit " << c + 1;
    }
}

TEST(FixedFrames, StartupAndShutdownBytes)
{
    EXPECT_EQ(Bytes(kStartupFrame, kStartupFrame + 12),
              (Bytes{0x00, 0x00, 0x00, 0xFF, 0xFF, 0x02, 0x01, 0xFF, 0x3F, 0x3F, 0x01, 0x80}));
    EXPECT_EQ(Bytes(kShutdownFrame, kShutdownFrame + 12),
              (Bytes{0x00, 0x00, 0x00, 0xFF, 0xFF, 0x02, 0x01, 0x00, 0x3F, 0x3F, 0x00, 0x81}));
}

TEST(FixedFrames, GoToBothOpenPortsAndSkipClosedOnes)
{
    CPtyLine line1, line2;
    ASSERT_TRUE(line1.Ok() && line2.Ok());
    CSerialPort tree1(line1.path.c_str()), tree2(line2.path.c_str()), none("NONE");
    tree1.m_lastError = 5;  // an earlier failure does not hold back the fixed frames

    SendFixedFrame(&tree1, &tree2, kStartupFrame);
    EXPECT_EQ(line1.Receive(12), Bytes(kStartupFrame, kStartupFrame + 12));
    EXPECT_EQ(line2.Receive(12), Bytes(kStartupFrame, kStartupFrame + 12));

    SendFixedFrame(&none, nullptr, kShutdownFrame);
    SendFixedFrame(nullptr, &tree2, kShutdownFrame);
    EXPECT_TRUE(line1.Receive(0).empty());
    EXPECT_EQ(line2.Receive(12), Bytes(kShutdownFrame, kShutdownFrame + 12));
}

}  // namespace
