// The console's show clock on its own thread, read back from pseudo-terminals:
// a blocked window costs no frame, operator actions racing the clock never send
// a half-changed show, and the editors have the document to themselves.
#include "tests/DecodeFrames.h"
#include "tests/PtyLine.h"
#include "tests/ui/ConsoleFixture.h"

#include <QApplication>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <thread>

namespace {

using Bytes = std::vector<unsigned char>;

// The shows here light every lamp of a step or none: 1 or 0, -1 for a mixture.
// Lamp bytes 7..35 are 0x00 with every lamp on, 0x3F with every lamp off.
int StepLamps(const DecodedFrame& f)
{
    if (std::count(f.bytes + 7, f.bytes + 36, f.bytes[7]) != 29)
        return -1;
    return f.bytes[7] == 0 ? 1 : f.bytes[7] == 0x3F ? 0 : -1;
}

long long ChaseFrames(const Bytes& bytes)
{
    std::vector<DecodedFrame> frames = DecodeAll(bytes);
    return std::count_if(frames.begin(), frames.end(), [](const DecodedFrame& f) { return f.kind == FrameKind::kChase; });
}

class ConsoleClockTest : public ConsoleTest {
protected:
    // The console on two lines, sending.
    void OpenOnTwoLines()
    {
        ASSERT_TRUE(tree1.Open(line1.path.c_str()) && tree2.Open(line2.path.c_str()));
        Open();
        ASSERT_TRUE(console->Loaded());
        console->OnSendTreeSignals();
    }
    // What has arrived on each line so far, without waiting.
    void Drain()
    {
        for (int i = 0; i < 2; ++i) {
            unsigned char block[4096];
            for (ssize_t n; (n = read((i ? line2 : line1).master, block, sizeof block)) > 0;)
                got[i].insert(got[i].end(), block, block + n);
        }
    }

    CPtyLine line1, line2;
    Bytes got[2];
};

// The window's thread blocked for a second, as by a slow repaint or a window
// being dragged: every tick still puts its chase frame on both lines, in order.
TEST_F(ConsoleClockTest, AWindowBlockedForASecondCostsNoChaseFrame)
{
    WriteShow(3);
    OpenOnTwoLines();
    Click("1006");
    console->OnCueListSelChange(1);  // "Blink": all lamps on and off in turn, a step every tick
    console->StartClock();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Drain(), ChaseFrames(got[0]) >= 2; }, 3000));
    Drain();
    const long long before = ChaseFrames(got[0]);
    std::this_thread::sleep_for(std::chrono::seconds(1));  // what the lines hold now came meanwhile
    Drain();
    EXPECT_GE(ChaseFrames(got[0]) - before, 5) << "ten ticks came due while the window was blocked";
    console->Clock().SetTicking(false);
    const long long ticks = console->Clock().Ticks();

    QTest::qWait(100);  // the window answers again
    Drain();
    for (const Bytes& bytes : got) {
        EXPECT_EQ(ChaseFrames(bytes), ticks) << "every tick's chase frame";
        int lastLamps = -1;
        for (const DecodedFrame& f : DecodeAll(bytes)) {
            ASSERT_FALSE(IsFault(f));
            if (f.kind == FrameKind::kChase) {
                ASSERT_NE(StepLamps(f), -1);
                ASSERT_NE(StepLamps(f), lastLamps) << "a step missing between two frames";
                lastLamps = StepLamps(f);
            }
        }
    }
    // The ticks the window missed still step its tick bar.
    EXPECT_EQ(Control<QProgressBar>("1002")->value(), ticks % 101);
}

// Cue starts, advance modes and the sending switch race the clock's ticks (which
// advance cues themselves too); every frame either tree gets is whole, and every
// channel sequence carries one cue's levels in channel order.
TEST_F(ConsoleClockTest, OperatorActionsRacingTheClockNeverSendAHalfChangedShow)
{
    constexpr int kCues = 40;
    WriteShow(kCues);
    auto level = [](int cue, int channel) { return (cue * 7 + channel * 11) % 101; };  // no two cues alike
    std::string cues = "ChaseList_Selected|default.B3|\n";
    for (int i = 1; i <= kCues; ++i) {
        // File order: twelve levels, fade, speed, chest, outline, forward, run count, active time.
        cues += "Cue " + std::to_string(i) + "|" + (i % 2 ? "Lit" : "Blink") + "|";
        for (int k = 0; k < 12; ++k)
            cues += std::to_string(level(i, k)) + " ";
        cues += "3 0 " + std::to_string(level(i, kChest)) + " " + std::to_string(level(i, kOutline)) + " 1 20 0|\n";
    }
    dir.Write("show.cue", cues);
    OpenOnTwoLines();
    Click("1006");
    console->StartClock();
    // Thousands of actions, and on for twenty ticks at least so that many meet one.
    for (int i = 0; i < 3000 || console->Clock().Ticks() < 20; ++i) {
        console->OnCueListSelChange(i % kCues);
        switch (i % 100) {
        case 10: console->OnAutoRunMode(); console->OnForward(); break;
        case 40: console->OnReverse(); break;
        case 70: console->OnManualMode(); break;
        case 90: console->OnSendTreeSignals(); console->OnSendTreeSignals(); break;
        }
        if (i % 8 == 0)
            Drain();  // the trees read on, or the lines fill and frames are dropped
    }
    console->close();
    QTest::qWait(100);
    Drain();

    for (const Bytes& bytes : got) {
        std::vector<DecodedFrame> frames = DecodeAll(bytes);
        ASSERT_GT(frames.size(), 2u);
        EXPECT_EQ(frames.front().kind, FrameKind::kStartup);
        EXPECT_EQ(frames.back().kind, FrameKind::kShutdown);
        for (size_t i = 1; i + 1 < frames.size(); ++i) {
            SCOPED_TRACE(i);
            const DecodedFrame& f = frames[i];
            ASSERT_FALSE(IsFault(f));
            ASSERT_TRUE(f.kind == FrameKind::kChannel || f.kind == FrameKind::kChase);
            if (f.kind == FrameKind::kChase) {
                ASSERT_NE(StepLamps(f), -1);
                continue;
            }
            // A sequence starts at Star; a line that filled up may cut it short, never leave a hole.
            ASSERT_EQ(f.channel, 0);
            int cue = 0;
            for (int c = 1; c <= kCues; ++c)
                cue = level(c, 0) == f.level ? c : cue;
            ASSERT_NE(cue, 0);
            for (int k = 1; k < kChannels && frames[i + 1].kind == FrameKind::kChannel && frames[i + 1].channel != 0;
                 ++k) {
                ASSERT_EQ(frames[++i].channel, k);
                ASSERT_EQ(frames[i].level, level(cue, k)) << "channel " << k << " of cue " << cue;
            }
        }
    }
}

// The cue editor changes the document on the window's thread without the lock:
// while it is open the clock runs nothing, and it ticks again once it closes.
TEST_F(ConsoleClockTest, TheClockLeavesTheDocumentToTheCueEditor)
{
    WriteShow(3);
    Open();
    Click("1006");
    console->StartClock();
    ASSERT_TRUE(QTest::qWaitFor([&] { return console->Clock().Ticks() >= 2; }, 3000));
    long long atOpen = -1, atClose = -2;
    QTimer::singleShot(0, [&] {
        atOpen = console->Clock().Ticks();
        QTest::qWait(350);          // three ticks' time with the editor open
        doc->m_cueFadeTime[1] = 7;  // as the editor's own controls would
        atClose = console->Clock().Ticks();
        QApplication::activeModalWidget()->close();
    });
    Click("1005");
    EXPECT_EQ(atOpen, atClose);
    EXPECT_FALSE(doc->m_running);
    EXPECT_TRUE(QTest::qWaitFor([&] { return console->Clock().Ticks() > atClose; }, 3000));
}

}  // namespace
