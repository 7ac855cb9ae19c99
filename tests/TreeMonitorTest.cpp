#include "document/ShowData.h"
#include "link/FrameCadence.h"
#include "link/FrameDecoder.h"
#include "link/SerialPort.h"
#include "tests/DecodeFrames.h"
#include "tests/PtyLine.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes ChannelFrame(int channel, int fade, int level)
{
    Bytes out(kChannelFrameBytes);
    EncodeChannelFrame(out.data(), channel, fade, level);
    return out;
}

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

TEST(FrameDecoder, ChannelFramesComeBackAsSent)
{
    for (int k = 0; k < 14; ++k) {
        for (int level : {0, 58, 59, 77, 100}) {
            for (int fade : {1, 30, 255, 300}) {
                auto frames = DecodeAll(ChannelFrame(k, fade, level));
                ASSERT_EQ(frames.size(), 1u);
                const DecodedFrame& f = frames[0];
                EXPECT_EQ(f.kind, FrameKind::kChannel);
                EXPECT_EQ(f.channel, k);
                EXPECT_EQ(f.fadeTicks, fade & 0xFF);
                EXPECT_EQ(f.level, level);
                EXPECT_FALSE(IsFault(f)) << DescribeFrame(f);
            }
        }
    }
    EXPECT_EQ(DescribeFrame(DecodeAll(ChannelFrame(kStar, 30, 100))[0]), "channel Star fade 30 level 100");
    EXPECT_EQ(DescribeFrame(DecodeAll(ChannelFrame(kOutline, 0, 0))[0]), "channel Outline fade 0 level 0");
}

TEST(FrameDecoder, ChaseFrameGivesEveryLampBack)
{
    unsigned char tiers[kChaseTiers][kLampCircuits] = {}, chest[kLampCircuits] = {}, outline[kLampCircuits] = {};
    for (int t = 0; t < kChaseTiers; ++t)
        for (int c = 0; c < kLampCircuits; ++c)
            tiers[t][c] = static_cast<unsigned char>((t * 7 + c * 3) % 4 == 0 ? 9 : 0);
    chest[1] = outline[4] = 1;
    Bytes frame(kChaseFrameBytes);
    EncodeChaseFrame(frame.data(), {tiers, chest, outline});

    auto frames = DecodeAll(frame);
    ASSERT_EQ(frames.size(), 1u);
    const DecodedFrame& f = frames[0];
    ASSERT_EQ(f.kind, FrameKind::kChase);
    EXPECT_FALSE(IsFault(f));
    for (int t = 0; t < kChaseTiers; ++t)
        for (int c = 0; c < kLampCircuits; ++c)
            EXPECT_EQ(f.tierOn[t][c], tiers[t][c] != 0) << "tier " << t + 1 << " circuit " << c + 1;
    for (int c = 0; c < kLampCircuits; ++c) {
        EXPECT_EQ(f.chestOn[c], c == 1);
        EXPECT_EQ(f.outlineOn[c], c == 4);
    }
}

TEST(FrameDecoder, FixedFramesAndTheirTexts)
{
    auto frames = DecodeAll(Join({Bytes(kStartupFrame, kStartupFrame + 12), Bytes(33, 0),
                                  Bytes(kShutdownFrame, kShutdownFrame + 12)}));
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(DescribeFrame(frames[0]), "start-up frame");
    EXPECT_EQ(DescribeFrame(frames[1]), "shut-down frame");
    EXPECT_EQ(frames[1].zerosBefore, 36);
}

TEST(FrameDecoder, FlagsWhatIsNotAFrame)
{
    Bytes star = ChannelFrame(kStar, 30, 100);
    Bytes badSum = star;
    badSum[11] ^= 0x01;
    Bytes noLevel = star;
    noLevel[7] = 144;
    noLevel[11] = static_cast<unsigned char>(noLevel[11] + 144 - 0xD7);  // checksum kept right
    Bytes badAddress = star;
    badAddress[8] = 0x03;
    badAddress[11] = static_cast<unsigned char>(badAddress[11] + 2);
    Bytes chase(kChaseFrameBytes);
    unsigned char dark[kChaseTiers][kLampCircuits] = {}, none[kLampCircuits] = {};
    EncodeChaseFrame(chase.data(), {dark, none, none});
    Bytes mismatch = chase;  // tier 10's two copies disagree
    mismatch[24] = 0x3E;
    mismatch[37] = static_cast<unsigned char>(mismatch[37] - 1);

    const struct {
        const char* what;
        Bytes bytes;
        std::vector<FrameKind> kinds;
        std::vector<bool> faults;
    } cases[] = {
        {"bad checksum", badSum, {FrameKind::kChannel}, {true}},
        {"code of no level", noLevel, {FrameKind::kChannel}, {true}},
        {"unknown address", badAddress, {FrameKind::kUnknown}, {true}},
        {"unknown command", Join({{0, 0, 0, 0xFF, 0xFF, 0x07}, Bytes(10, 0), star}),
         {FrameKind::kUnknown, FrameKind::kChannel}, {true, false}},
        {"stray bytes between frames", Join({star, {0x01, 0x02}, Bytes(3, 0), star}),
         {FrameKind::kChannel, FrameKind::kStray, FrameKind::kChannel}, {false, true, false}},
        {"two zeros are no header", Bytes{0, 0, 0xFF, 0xFF, 0x02}, {FrameKind::kStray}, {true}},
        {"lone 0xFF", Bytes{0, 0, 0, 0xFF, 0x00}, {FrameKind::kStray}, {true}},
        {"frame cut off", Bytes(star.begin(), star.begin() + 8), {FrameKind::kUnknown}, {true}},
        {"inconsistent lamp copies", mismatch, {FrameKind::kChase}, {true}},
    };
    for (const auto& c : cases) {
        auto frames = DecodeAll(c.bytes);
        ASSERT_EQ(frames.size(), c.kinds.size()) << c.what;
        for (size_t i = 0; i < frames.size(); ++i) {
            EXPECT_EQ(frames[i].kind, c.kinds[i]) << c.what << " #" << i;
            EXPECT_EQ(IsFault(frames[i]), c.faults[i]) << c.what << " #" << i << ": " << DescribeFrame(frames[i]);
        }
    }
    EXPECT_EQ(DescribeFrame(DecodeAll(badSum)[0]), "channel Star fade 30 level 100 BAD CHECKSUM");
    EXPECT_EQ(DescribeFrame(DecodeAll(Bytes{0x01, 0x02, 0x00})[0]), "STRAY 2 bytes: 01 02");
}

TEST(FrameDecoder, EndlessGarbageIsReportedInBoundedPieces)
{
    Bytes junk(100000, 0x55);
    auto frames = DecodeAll(junk);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].totalBytes, 100000);
    EXPECT_LE(frames[0].length, kMaxFrameBytes);
}

// What the console puts on a line decodes to exactly what it meant to send.
TEST(FrameDecoder, ReadsTheConsolesOwnTransmissions)
{
    CPtyLine line;
    ASSERT_TRUE(line.Ok());
    CSerialPort port(line.path.c_str());
    auto doc = std::make_unique<CShowData>();
    doc->m_tree1Port = &port;
    doc->m_running = doc->m_sendTreeSignals = true;
    doc->m_currentCue = 5;
    for (int k = 0; k < kChannels; ++k) {
        doc->m_cueLevel[k][5] = k * 7;
        doc->m_fadeTicks[k] = k + 1;
    }
    doc->m_stepTierLamps[3][17][2] = 1;
    doc->m_chaseStepRecord[1] = 3;
    doc->m_chaseStep = 1;
    doc->SendFrames("cue");
    doc->SendFrames("chase");

    auto frames = DecodeAll(line.Receive(kChannelSequenceBytes + kChaseSequenceBytes));
    ASSERT_EQ(frames.size(), 15u);
    for (int k = 0; k < kChannels; ++k) {
        EXPECT_EQ(frames[k].kind, FrameKind::kChannel);
        EXPECT_EQ(frames[k].channel, k);
        EXPECT_EQ(frames[k].level, k * 7);
        EXPECT_EQ(frames[k].fadeTicks, k + 1);
        EXPECT_EQ(frames[k].zerosBefore, 36);
        EXPECT_FALSE(IsFault(frames[k]));
    }
    ASSERT_EQ(frames[14].kind, FrameKind::kChase);
    EXPECT_EQ(frames[14].zerosBefore, 33 + 33 + 3);  // the channel sequence ends with a lead-in
    EXPECT_TRUE(frames[14].tierOn[17][2]);
    EXPECT_FALSE(frames[14].tierOn[16][2]);
    EXPECT_FALSE(IsFault(frames[14]));
}

// What a tree saw of the cadence: arrival times of chase frames in, notes out.
TEST(FrameCadence, LateFramesAndGapsAreToldApartFromTheSteadyBeat)
{
    const struct {
        long long atMs;
        ECadence kind;
        long long missed;
    } arrivals[] = {
        {1000, ECadence::kFirst, 0}, {1100, ECadence::kOnTime, 0}, {1220, ECadence::kOnTime, 0},
        {1341, ECadence::kLate, 0},  {1390, ECadence::kOnTime, 0}, {1560, ECadence::kLate, 0},
        {1760, ECadence::kGap, 1},   {3290, ECadence::kGap, 14},  {3390, ECadence::kOnTime, 0},
    };
    CFrameCadence cadence;
    for (const auto& a : arrivals) {
        CadenceNote note = cadence.Chase(a.atMs);
        EXPECT_EQ(note.kind, a.kind) << a.atMs;
        EXPECT_EQ(note.missed, a.missed) << a.atMs;
    }
    EXPECT_EQ(cadence.late, 2);
    EXPECT_EQ(cadence.gaps, 2);
    EXPECT_EQ(cadence.missed, 15);
    EXPECT_EQ(DescribeCadence({ECadence::kGap, 1530, 14}),
              "GAP of 1530 ms without a chase frame: about 14 frames missed");
    EXPECT_EQ(DescribeCadence({ECadence::kLate, 137, 0}), "LATE chase frame: 137 ms after the previous one");
    EXPECT_EQ(DescribeCadenceTotals(cadence),
              "9 chase frames, 2 late, 2 gaps (longest 1530 ms), about 15 frames missed, "
              "mean interval outside gaps 110.0 ms");
}

std::string MonitorPath()
{
    char self[4096] = {};
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string path(self, n > 0 ? static_cast<size_t>(n) : 0);
    return path.substr(0, path.find_last_of('/') + 1) + "treemonitor";
}

std::string ReadLineFrom(FILE* in)
{
    char buffer[1024] = {};
    if (std::fgets(buffer, sizeof buffer, in) == nullptr)
        return "";
    std::string text = buffer;
    if (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

TEST(TreeMonitorTool, DecodesWhatTheConsoleSendsOnItsPseudoTerminal)
{
    std::string tool = MonitorPath();
    if (access(tool.c_str(), X_OK) != 0)
        GTEST_SKIP() << "treemonitor is not built beside the tests";
    FILE* monitor = popen((tool + " --count 3 --seconds 10 2>/dev/null").c_str(), "r");
    ASSERT_NE(monitor, nullptr);
    std::string device = ReadLineFrom(monitor);
    ASSERT_EQ(device.rfind("/dev/", 0), 0u) << device;

    CSerialPort port(device.c_str());
    ASSERT_TRUE(port.IsUsable());
    SendFixedFrame(&port, nullptr, kStartupFrame);
    port.Write(ChannelFrame(kChest, 20, 50).data(), kChannelFrameBytes);
    SendFixedFrame(nullptr, &port, kShutdownFrame);

    EXPECT_EQ(ReadLineFrom(monitor), "start-up frame");
    EXPECT_EQ(ReadLineFrom(monitor), "channel Chest fade 20 level 50");
    EXPECT_EQ(ReadLineFrom(monitor), "shut-down frame");
    int status = pclose(monitor);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

TEST(TreeMonitorTool, ExitsWithAFaultWhenAFrameIsBroken)
{
    std::string tool = MonitorPath();
    if (access(tool.c_str(), X_OK) != 0)
        GTEST_SKIP() << "treemonitor is not built beside the tests";
    CPtyLine line;
    ASSERT_TRUE(line.Ok());
    FILE* monitor = popen((tool + " " + line.path + " --count 1 --seconds 10").c_str(), "r");
    ASSERT_NE(monitor, nullptr);
    usleep(200000);  // let it open the line before the bytes go out
    Bytes bad = ChannelFrame(kCross, 5, 5);
    bad[10] ^= 0x80;
    ASSERT_EQ(write(line.master, bad.data(), bad.size()), static_cast<ssize_t>(bad.size()));
    EXPECT_EQ(ReadLineFrom(monitor), "channel Cross fade 5 level 5 BAD CHECKSUM");
    int status = pclose(monitor);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
}


// What the monitor answers on its command line, and that it opens nothing when it
// only answers: the exit status, and a text the answer must hold on stdout or stderr.
TEST(TreeMonitorTool, HelpAndMisuseAreAnsweredWithoutOpeningALine)
{
    std::string tool = MonitorPath();
    if (access(tool.c_str(), X_OK) != 0)
        GTEST_SKIP() << "treemonitor is not built beside the tests";
    const struct {
        const char* args;
        int status;
        const char* out;  // first line of stdout
        const char* err;  // held in stderr
    } cases[] = {
        {"--help", 0, "usage: treemonitor [DEVICE] [--count N] [--seconds S]", ""},
        {"/dev/null -h", 0, "usage: treemonitor [DEVICE] [--count N] [--seconds S]", ""},
        {"--verbose", 2, "", "treemonitor: unknown option --verbose\nusage: treemonitor [DEVICE]"},
        {"--count", 2, "", "--count needs a whole number of frames"},
        {"--count 3x", 2, "", "--count needs a whole number of frames"},
        {"--count -1", 2, "", "--count needs a whole number of frames"},
        {"--seconds inf", 2, "", "--seconds needs a number of seconds"},
        {"--seconds nan", 2, "", "--seconds needs a number of seconds"},
        {"/dev/null /dev/zero", 2, "", "give one DEVICE only"},
        {"/nonexistent/tty", 2, "", "treemonitor: cannot open /nonexistent/tty: No such file or directory"},
    };
    for (const auto& c : cases) {
        const std::string errFile = testing::TempDir() + "monitor-stderr";
        FILE* monitor = popen((tool + " " + c.args + " 2>" + errFile).c_str(), "r");
        ASSERT_NE(monitor, nullptr);
        std::string out = ReadLineFrom(monitor);
        int status = pclose(monitor);
        std::ifstream in(errFile);
        std::string err((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == c.status) << c.args << ": " << status;
        EXPECT_EQ(out, c.out) << c.args;
        EXPECT_NE(err.find(c.err), std::string::npos) << c.args << ": " << err;
        if (c.status == 0) {
            EXPECT_EQ(err, "") << c.args;
        }
    }
    // Installed under another name, it says that name.
    const std::string installed = testing::TempDir() + "glimmerbox-monitor";
    unlink(installed.c_str());
    ASSERT_EQ(symlink(tool.c_str(), installed.c_str()), 0);
    FILE* monitor = popen((installed + " --help").c_str(), "r");
    ASSERT_NE(monitor, nullptr);
    EXPECT_EQ(ReadLineFrom(monitor), "usage: glimmerbox-monitor [DEVICE] [--count N] [--seconds S]");
    pclose(monitor);
    unlink(installed.c_str());
}

}  // namespace
