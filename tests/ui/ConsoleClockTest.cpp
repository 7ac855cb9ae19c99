// The console's show clock on its own thread, read back from pseudo-terminals by
// trees that read on threads of their own: a window that does not answer costs
// no frame, operator actions racing the clock never send a half-changed show, and
// the editors have the document to themselves.
#include "link/FrameDecoder.h"
#include "tests/PtyLine.h"
#include "tests/ui/ConsoleFixture.h"

#include <QApplication>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <mutex>
#include <poll.h>
#include <thread>

namespace {

// What a tree needs to be told apart: a frame's kind, whether it is whole, and
// what it says.
struct CTreeFrame {
    FrameKind kind;
    bool whole;
    int channel;
    int level;
    int lampsOn;
};

// The tree side of a line, read and decoded on a thread of its own, as fast as the frames come.
class CTreeSide {
public:
    explicit CTreeSide(CPtyLine& line) : m_line(line), m_reader([this] { Read(); }) {}
    ~CTreeSide()
    {
        m_stop = true;
        m_reader.join();
    }
    std::vector<CTreeFrame> Frames()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_frames;
    }
    long long ChaseFrames() const { return m_chaseFrames; }

private:
    void Read()
    {
        CFrameDecoder decoder;
        DecodedFrame frame;
        unsigned char buffer[4096];
        while (!m_stop) {
            pollfd p{m_line.master, POLLIN, 0};
            if (poll(&p, 1, 10) <= 0)
                continue;
            ssize_t n = read(m_line.master, buffer, sizeof buffer);
            std::lock_guard<std::mutex> lock(m_mutex);
            for (ssize_t i = 0; i < n; ++i) {
                if (!decoder.Push(buffer[i], frame))
                    continue;
                int on = 0;
                for (const auto& tier : frame.tierOn)
                    for (bool lamp : tier)
                        on += lamp;
                for (int c = 0; c < kLampCircuits; ++c)
                    on += frame.chestOn[c] + frame.outlineOn[c];
                m_frames.push_back({frame.kind, !IsFault(frame) && frame.repeatsAgree, frame.channel, frame.level, on});
                m_chaseFrames += frame.kind == FrameKind::kChase;
            }
        }
    }

    CPtyLine& m_line;
    std::mutex m_mutex;
    std::vector<CTreeFrame> m_frames;
    std::atomic<long long> m_chaseFrames{0};
    std::atomic<bool> m_stop{false};
    std::thread m_reader;
};

constexpr int kAllLamps = kChaseTiers * kLampCircuits + 2 * kLampCircuits;

class ConsoleClockTest : public ConsoleTest {
protected:
    // The console on two lines whose trees read on their own threads.
    void OpenOnTwoLines()
    {
        ASSERT_TRUE(line1.Ok() && line2.Ok());
        ASSERT_TRUE(tree1.Open(line1.path.c_str()));
        ASSERT_TRUE(tree2.Open(line2.path.c_str()));
        Open();
        ASSERT_TRUE(console->Loaded());
        side1 = std::make_unique<CTreeSide>(line1);
        side2 = std::make_unique<CTreeSide>(line2);
    }
    // Waits, without running the window's event loop, for the trees to have read everything.
    bool TreesRead(long long chaseFrames)
    {
        for (int i = 0; i < 500 && (side1->ChaseFrames() < chaseFrames || side2->ChaseFrames() < chaseFrames); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return side1->ChaseFrames() == chaseFrames && side2->ChaseFrames() == chaseFrames;
    }

    CPtyLine line1;
    CPtyLine line2;
    std::unique_ptr<CTreeSide> side1;
    std::unique_ptr<CTreeSide> side2;
};

// The window's thread blocked for a second, as by a slow repaint or a window
// being dragged: every tick still puts its chase frame on both lines, in order.
TEST_F(ConsoleClockTest, AWindowBlockedForASecondCostsNoChaseFrame)
{
    WriteShow(3);
    OpenOnTwoLines();
    console->OnSendTreeSignals();
    Click("1006");
    console->OnCueListSelChange(1);  // "Blink": all lamps on and off in turn, a step every tick
    console->StartClock();
    ASSERT_TRUE(QTest::qWaitFor([&] { return side1->ChaseFrames() >= 2; }, 3000));

    const long long before = side1->ChaseFrames();
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const long long during = side1->ChaseFrames() - before;
    console->Clock().SetTicking(false);
    const long long ticks = console->Clock().Ticks();

    EXPECT_GE(during, 5) << "ten ticks came due while the window was blocked";
    ASSERT_TRUE(TreesRead(ticks)) << side1->ChaseFrames() << " and " << side2->ChaseFrames() << " chase frames for "
                                  << ticks << " ticks";
    for (CTreeSide* side : {side1.get(), side2.get()}) {
        int lastLamps = -1;
        for (const CTreeFrame& f : side->Frames()) {
            ASSERT_TRUE(f.whole);
            if (f.kind != FrameKind::kChase)
                continue;
            EXPECT_TRUE(f.lampsOn == 0 || f.lampsOn == kAllLamps) << f.lampsOn;
            EXPECT_NE(f.lampsOn, lastLamps) << "a step missing between two frames";
            lastLamps = f.lampsOn;
        }
    }
    // The ticks the window missed still step its tick bar, once it answers again.
    QCoreApplication::processEvents();
    EXPECT_EQ(Control<QProgressBar>("1002")->value(), ticks % 101);
}

// Cue starts, advance modes and the sending switch race the clock's ticks (which
// also advance cues themselves); every frame either tree gets is whole, and every
// channel sequence carries one cue's levels in channel order.
TEST_F(ConsoleClockTest, OperatorActionsRacingTheClockNeverSendAHalfChangedShow)
{
    constexpr int kCues = 40;
    constexpr int kActions = 3000;
    WriteShow(kCues);
    std::string cues = "ChaseList_Selected|default.B3|\n";
    auto level = [](int cue, int channel) { return (cue * 7 + channel * 11) % 101; };  // no two cues alike
    for (int i = 1; i <= kCues; ++i) {
        // File order: twelve levels, fade, speed, chest, outline, forward, run count, active time.
        cues += "Cue " + std::to_string(i) + "|" + (i % 2 ? "Lit" : "Blink") + "|";
        for (int k = 0; k < 12; ++k)
            cues += std::to_string(level(i, k)) + " ";
        cues += "3 0 " + std::to_string(level(i, kChest)) + " " + std::to_string(level(i, kOutline)) + " 1 20 0|\n";
    }
    dir.Write("show.cue", cues);
    OpenOnTwoLines();
    console->OnSendTreeSignals();
    Click("1006");
    console->StartClock();
    // Thousands of actions, and on for twenty ticks at least so many of them meet one.
    for (int i = 0; i < kActions || console->Clock().Ticks() < 20; ++i) {
        console->OnCueListSelChange(i % kCues);
        switch (i % 100) {
        case 10: console->OnAutoRunMode(); console->OnForward(); break;
        case 40: console->OnReverse(); break;
        case 70: console->OnManualMode(); break;
        case 90: console->OnSendTreeSignals(); console->OnSendTreeSignals(); break;
        }
    }
    EXPECT_GT(console->Clock().Ticks(), 0) << "the clock ticked during the actions";
    console->close();  // the shut-down frame comes last
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            for (CTreeSide* side : {side1.get(), side2.get()}) {
                std::vector<CTreeFrame> frames = side->Frames();
                if (frames.empty() || frames.back().kind != FrameKind::kShutdown)
                    return false;
            }
            return true;
        },
        10000));

    for (CTreeSide* side : {side1.get(), side2.get()}) {
        std::vector<CTreeFrame> frames = side->Frames();
        int sequences = 0;
        for (size_t i = 0; i < frames.size(); ++i) {
            SCOPED_TRACE(i);
            ASSERT_TRUE(frames[i].whole);
            ASSERT_TRUE(frames[i].kind == FrameKind::kChannel || frames[i].kind == FrameKind::kChase ||
                        (i == 0 && frames[i].kind == FrameKind::kStartup) ||
                        (i + 1 == frames.size() && frames[i].kind == FrameKind::kShutdown));
            if (frames[i].kind == FrameKind::kChase) {
                ASSERT_TRUE(frames[i].lampsOn == 0 || frames[i].lampsOn == kAllLamps) << frames[i].lampsOn;
            }
            if (frames[i].kind != FrameKind::kChannel)
                continue;
            // A sequence starts at Star; a line that filled up may cut it short, never leave a hole.
            ASSERT_EQ(frames[i].channel, 0);
            int cue = 0;
            for (int c = 1; c <= kCues; ++c)
                cue = level(c, 0) == frames[i].level ? c : cue;
            ASSERT_NE(cue, 0);
            for (int k = 1; k < kChannels && i + 1 < frames.size() && frames[i + 1].kind == FrameKind::kChannel &&
                            frames[i + 1].channel != 0;
                 ++k) {
                ++i;
                ASSERT_EQ(frames[i].channel, k);
                ASSERT_EQ(frames[i].level, level(cue, k)) << "channel " << k << " of cue " << cue;
            }
            ++sequences;
        }
        EXPECT_GT(sequences, 0);
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
        QWidget* editor = QApplication::activeModalWidget();
        ASSERT_NE(editor, nullptr);
        atOpen = console->Clock().Ticks();
        QTest::qWait(350);  // three ticks' time with the editor open
        doc->m_cueFadeTime[1] = 7;  // as the editor's own controls would
        atClose = console->Clock().Ticks();
        editor->close();
    });
    Click("1005");
    EXPECT_EQ(atOpen, atClose);
    EXPECT_FALSE(doc->m_running);
    EXPECT_TRUE(QTest::qWaitFor([&] { return console->Clock().Ticks() > atClose; }, 3000));
}

}  // namespace
