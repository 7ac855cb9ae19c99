// The live controls on the wire, read from pseudo-terminals byte for byte: the
// grand master, blackout, the keys of the console, and the editing lock.
#include "link/FrameEncoder.h"
#include "tests/DecodeFrames.h"
#include "tests/PtyLine.h"
#include "tests/ui/ConsoleFixture.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QSlider>
#include <QTest>
#include <QTimer>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Zeros(int n)
{
    return Bytes(static_cast<size_t>(n), 0x00);
}

class ConsoleLiveTest : public ConsoleTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(line1.Ok() && line2.Ok());
        ASSERT_TRUE(tree1.Open(line1.path.c_str()));
        ASSERT_TRUE(tree2.Open(line2.path.c_str()));
        WriteShow(4);
        Open();
        ASSERT_TRUE(console->Loaded());
        console->Clock().SetTicking(false);  // the test keeps time, so no frame slips in
        // Every channel of every cue at a level of its own, so a wrong one shows.
        for (int c = 1; c <= 4; ++c)
            for (int k = 0; k < kChannels; ++k)
                doc->m_cueLevel[k][c] = 30 + 4 * k + c;
        console->OnSendTreeSignals();
        line1.Receive(kChannelFrameBytes);
        line2.Receive(kChannelFrameBytes);
    }

    // The channel sequence of the current cue as the tree must get it at `master`.
    Bytes Channels(int master, bool blackout = false) const
    {
        Bytes out = Zeros(kLeadInBytes);
        for (int k = 0; k < kChannels; ++k) {
            const int level = blackout ? 0 : doc->m_cueLevel[k][doc->m_currentCue] * master / 100;
            unsigned char frame[kChannelFrameBytes];
            EncodeChannelFrame(frame, k, doc->m_fadeTicks[k], level);
            out.insert(out.end(), frame, frame + kChannelFrameBytes);
            Bytes lead = Zeros(kLeadInBytes);
            out.insert(out.end(), lead.begin(), lead.end());
        }
        return out;
    }
    Bytes Chase() const
    {
        const int r = doc->CurrentStepRecord();
        Bytes out = Zeros(kLeadInBytes);
        unsigned char frame[kChaseFrameBytes];
        EncodeChaseFrame(frame, {doc->m_stepTierLamps[r], doc->m_stepChestLamps[r], doc->m_stepOutlineLamps[r]});
        out.insert(out.end(), frame, frame + kChaseFrameBytes);
        return out;
    }
    // What one tick put on Tree 1; Tree 2 must have got the same.
    Bytes Tick()
    {
        Ticks(1);
        return Take();
    }
    Bytes Take()
    {
        Bytes bytes = line1.Receive(kChaseSequenceBytes);
        EXPECT_EQ(line2.Receive(bytes.size()), bytes);
        return bytes;
    }
    // One tick, and what it must have sent, reckoned from the show as the tick left it.
    enum ESent { kSentChase, kSentLevels, kSentDark };
    void ExpectTickSends(ESent sent, int master = 100, const char* why = "")
    {
        const Bytes got = Tick();
        EXPECT_EQ(got, sent == kSentChase ? Chase() : Channels(master, sent == kSentDark)) << why;
    }
    QSlider* Fader() const { return Control<QSlider>("1500"); }
    // The levels of the channel frames in `bytes`.
    static std::vector<int> Levels(const Bytes& bytes)
    {
        std::vector<int> levels;
        for (const DecodedFrame& f : DecodeAll(bytes))
            if (f.kind == FrameKind::kChannel)
                levels.push_back(f.level);
        return levels;
    }

    CPtyLine line1, line2;
};

// At 100 the wire is exactly what the cue levels give; below it every target is scaled.
TEST_F(ConsoleLiveTest, MasterScalesEveryTargetAndAtFullLeavesTheWireAsItWas)
{
    for (int master : {100, 50, 33, 0}) {
        SCOPED_TRACE(master);
        Fader()->setValue(master);
        Click("1006");  // START
        EXPECT_EQ(Take(), Channels(master));
        ExpectTickSends(kSentChase);
        QTest::keyClick(CueList(), Qt::Key_PageDown);  // GO sends cue 2 twice, as Enter always has
        const Bytes once = Channels(master);
        Bytes two = once;
        two.insert(two.end(), once.begin(), once.end());
        EXPECT_EQ(Take(), two);
        ExpectTickSends(kSentChase);
        Click("1006");  // STOP
    }
}

// A fader dragged through the show reaches the tree at most every third tick, always
// with its last position; a cue started after a move already carries it.
TEST_F(ConsoleLiveTest, MasterMovedDuringTheShowGoesOutAtMostEveryThirdTick)
{
    Click("1006");
    EXPECT_EQ(Take(), Channels(100));
    for (int i = 0; i < 5; ++i)
        ExpectTickSends(kSentChase);
    Fader()->setValue(60);  // long after the last channels: the next tick sends
    ExpectTickSends(kSentLevels, 60);
    Fader()->setValue(40);
    ExpectTickSends(kSentChase);
    Fader()->setValue(20);
    ExpectTickSends(kSentChase);
    ExpectTickSends(kSentLevels, 20, "the last position, three ticks on");
    ExpectTickSends(kSentChase, 100, "sent once");
    Fader()->setValue(70);
    console->StartCueAt(3);
    EXPECT_EQ(Take(), Channels(70));
    for (int i = 0; i < 4; ++i)
        ExpectTickSends(kSentChase, 100, "the cue carried the move");
    QTest::keyClick(Fader(), Qt::Key_Left);  // the fader's own keys move it too
    EXPECT_EQ(Fader()->value(), 69);
    ExpectTickSends(kSentLevels, 69);
    EXPECT_EQ(Control<QLabel>("1502")->text(), "69%");
}

// Blackout takes every target to 0 at the next tick while the show goes on under it,
// and lifting it sends the live levels; during a fade and during automatic advance.
TEST_F(ConsoleLiveTest, BlackoutGoesToZeroAtTheNextTickAndBackWhenLifted)
{
    doc->m_cueFadeTime[1] = 20;
    Fader()->setValue(50);
    Click("1006");
    EXPECT_EQ(Take(), Channels(50));
    Tick();
    Tick();
    QTest::keyClick(CueList(), Qt::Key_B);
    EXPECT_TRUE(Status().startsWith("BLACKOUT")) << Status().toStdString();
    EXPECT_FALSE(Control("1501")->styleSheet().isEmpty()) << "red while it holds";
    const int fading = doc->m_level[kColor1];
    ExpectTickSends(kSentDark);
    EXPECT_NE(doc->m_level[kColor1], fading) << "the fade goes on underneath";
    for (int k = 0; k < kChannels; ++k)
        EXPECT_EQ(doc->ShownLevel(k), 0) << "the picture is dark";
    ExpectTickSends(kSentChase, 100, "the chase frames go on");
    Click("1501");
    EXPECT_FALSE(Status().startsWith("BLACKOUT"));
    EXPECT_TRUE(Control("1501")->styleSheet().isEmpty());
    ExpectTickSends(kSentLevels, 50);

    // Every cue the show moves to by itself during the blackout goes out at 0.
    Click("1007");
    Click("1009");  // Forward, active time 0: every tick moves on
    QTest::keyClick(CueList(), Qt::Key_Period);
    for (int i = 0; i < 3; ++i) {
        const Bytes bytes = Tick();
        EXPECT_EQ(Levels(bytes), std::vector<int>(2 * kChannels, 0));
        EXPECT_EQ(bytes.size(), static_cast<size_t>(2 * kChannelSequenceBytes + kChaseSequenceBytes));
    }
    QTest::keyClick(CueList(), Qt::Key_Period);
    const Bytes lifted = Tick();
    const Bytes once = Channels(50);
    Bytes expected = once;
    expected.insert(expected.end(), once.begin(), once.end());
    const Bytes chase = Chase();
    expected.insert(expected.end(), chase.begin(), chase.end());
    EXPECT_EQ(lifted, expected);
    Click("1006");  // STOP ends a blackout
    EXPECT_FALSE(doc->m_blackout);
}

// Presenter clickers and foot switches send these keys; they act whatever has the
// focus on the console, and the fader does not take Page Up and Page Down.
TEST_F(ConsoleLiveTest, KeysPlayTheShowWhateverHasTheFocus)
{
    console->show();
    const struct {
        Qt::Key key;
        int cueAfter;
        bool blackoutAfter;
    } keys[] = {
        {Qt::Key_Space, 2, false},    {Qt::Key_PageDown, 3, false}, {Qt::Key_PageUp, 2, false},
        {Qt::Key_Backspace, 1, false}, {Qt::Key_Return, 2, false},  {Qt::Key_B, 2, true},
        {Qt::Key_Period, 2, false},
    };
    QWidget* targets[] = {CueList(), Control("1000"), Fader()};
    for (QWidget* target : targets) {
        for (const auto& k : keys) {  // stopped: nothing happens
            QTest::keyClick(target, k.key);
            EXPECT_EQ(doc->m_currentCue, 1);
            EXPECT_FALSE(doc->m_blackout);
        }
    }
    EXPECT_EQ(Control("1000")->text(), "Click to Pause") << "Space never pressed a button";
    for (QWidget* target : targets) {
        SCOPED_TRACE(target->objectName().toStdString());
        Click("1006");
        for (const auto& k : keys) {
            SCOPED_TRACE(k.key);
            QTest::keyClick(target, k.key);
            EXPECT_EQ(doc->m_currentCue, k.cueAfter);
            EXPECT_EQ(doc->m_blackout, k.blackoutAfter);
        }
        EXPECT_EQ(Fader()->value(), 100);
        EXPECT_EQ(Control("1000")->text(), "Click to Pause");
        // A key held down acts once.
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(target, &repeat);
        EXPECT_EQ(doc->m_currentCue, 2);
        Click("1006");
    }
    console->findChild<QAction*>("32792")->trigger();
    ASSERT_FALSE(person.shown.empty());
    EXPECT_EQ(person.shown.back().caption, "Keys");
    EXPECT_NE(person.shown.back().text.find("Page Down"), std::string::npos);
}

// Locked, the console opens no editor, layout screen or port setup by click,
// double-click or menu, and the show goes on; it starts locked after a close.
TEST_F(ConsoleLiveTest, LockedConsoleOpensNothingAndStartsLockedAgain)
{
    int opened = 0;
    QTimer guard;  // closes whatever screen a broken lock would let open
    QObject::connect(&guard, &QTimer::timeout, [&] {
        if (QWidget* screen = QApplication::activeModalWidget()) {
            ++opened;
            screen->close();
        }
    });
    guard.start(20);
    console->show();
    Click("1006");
    auto action = [&](const char* id) { return console->findChild<QAction*>(id); };
    auto lockedEverywhere = [&](bool locked) {
        EXPECT_EQ(Control("1005")->isEnabled(), !locked);
        EXPECT_EQ(action("32771")->isEnabled(), !locked);
        EXPECT_EQ(action("32773")->isEnabled(), !locked);
        EXPECT_EQ(action("32790")->isVisible(), !locked);
        EXPECT_EQ(action("32791")->isVisible(), locked);
    };
    lockedEverywhere(false);
    action("32790")->trigger();
    lockedEverywhere(true);

    Click("1005");
    QTest::mouseDClick(CueList()->viewport(), Qt::LeftButton, {},
                       CueList()->visualItemRect(CueList()->item(2)).center());
    console->OnEditCues();
    console->OnTreeLayout();
    console->OnComPortSetup();
    QTest::qWait(50);
    EXPECT_EQ(opened, 0);
    EXPECT_TRUE(doc->m_running) << "the show went on";
    EXPECT_EQ(doc->m_currentCue, 3) << "the click of the double-click chose its cue";

    action("32791")->trigger();  // No to the question: still locked
    lockedEverywhere(true);
    EXPECT_EQ(person.shown.back().caption, "Question");
    console->close();
    EXPECT_NE(dir.Read("colors.txt").find("\nlock|editing|\n"), std::string::npos);

    person.files.push_back(dir.Path("show.cue"));
    Open();
    console->Clock().SetTicking(false);
    console->show();
    lockedEverywhere(true);
    person.answers.push_back(true);
    action("32791")->trigger();
    lockedEverywhere(false);
    const std::string locked = dir.Read("colors.txt");
    console->close();
    const std::string unlocked = dir.Read("colors.txt");
    EXPECT_EQ(unlocked.find("lock|"), std::string::npos);
    EXPECT_EQ(unlocked + "lock|editing|\n", locked) << "unlocked, the file is as it always was";
    EXPECT_EQ(opened, 0);
}

}  // namespace
