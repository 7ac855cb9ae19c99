// The lamp test screen, through its controls and keys, with what reaches the
// tree lines read back from pseudo-terminals.
#include "lamptest/LampTestDlg.h"
#include "lamptest/LampTestPicture.h"
#include "link/FrameEncoder.h"
#include "link/SerialPort.h"
#include "tests/DecodeFrames.h"
#include "tests/FileTestSupport.h"
#include "tests/LampTestLayouts.h"
#include "tests/PtyLine.h"
#include "widgets/TreeGeometry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <algorithm>
#include <cstring>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Zeros(int n)
{
    return Bytes(static_cast<size_t>(n), 0x00);
}

// What one tree holds, kept up to date from the frames it receives, as its
// controllers would.
struct CTreeModel {
    int level[kChannels] = {};
    bool tier[kTiers][kCircuits] = {};
    bool chest[kCircuits] = {};
    bool outline[kCircuits] = {};

    // Takes what arrived and checks its shape: a lead-in before every frame (two
    // before a chase frame that follows channel frames), channel frames without
    // fade, nothing that is not a frame, the chase frame last.
    void Take(const Bytes& bytes)
    {
        std::vector<DecodedFrame> frames = DecodeAll(bytes);
        ASSERT_FALSE(frames.empty());
        FrameKind previous = FrameKind::kChase;
        for (const DecodedFrame& f : frames) {
            EXPECT_TRUE(f.checksumOk && !IsFault(f)) << DescribeFrame(f);
            const bool afterChannels = f.kind == FrameKind::kChase && previous == FrameKind::kChannel;
            EXPECT_EQ(f.zerosBefore, (afterChannels ? 2 : 1) * kLeadInBytes + 3) << DescribeFrame(f);
            if (f.kind == FrameKind::kChannel) {
                EXPECT_EQ(f.fadeTicks, 0);
                level[f.channel] = f.level;
            } else if (f.kind == FrameKind::kChase) {
                std::memcpy(tier, f.tierOn, sizeof tier);
                std::memcpy(chest, f.chestOn, sizeof chest);
                std::memcpy(outline, f.outlineOn, sizeof outline);
            }
            previous = f.kind;
        }
        EXPECT_EQ(frames.back().kind, FrameKind::kChase);
    }

    // "t2:001000 chest:100000 | Color 3=60": the lit rows, then the channels above 0.
    std::string Lit() const
    {
        auto bits = [](const bool* on) {
            std::string s;
            for (int c = 0; c < kCircuits; ++c)
                s += on[c] ? '1' : '0';
            return s;
        };
        auto any = [](const bool* on) { return std::find(on, on + kCircuits, true) != on + kCircuits; };
        std::string s;
        for (int t = 0; t < kTiers; ++t)
            if (any(tier[t]))
                s += "t" + std::to_string(t + 1) + ":" + bits(tier[t]) + " ";
        if (any(chest))
            s += "chest:" + bits(chest) + " ";
        if (any(outline))
            s += "outline:" + bits(outline) + " ";
        s += "|";
        for (int k = 0; k < kChannels; ++k)
            if (level[k] > 0)
                s += std::string(" ") + ChannelName(k) + "=" + std::to_string(level[k]);
        return s;
    }
};

// One step's transmission: everything up to and including its chase frame, which
// always comes last, so nothing waits for the line to fall quiet.
Bytes ReceiveStep(CPtyLine& line)
{
    Bytes bytes;
    auto endsWithChase = [&] {
        const size_t n = bytes.size();
        return n >= static_cast<size_t>(kChaseFrameBytes) && bytes[n - kChaseFrameBytes + 3] == 0xFF &&
               bytes[n - kChaseFrameBytes + 4] == 0xFF && bytes[n - kChaseFrameBytes + 5] == kCmdChase;
    };
    for (int i = 0; i < 200 && !endsWithChase(); ++i) {
        Bytes more = line.Receive(1, 5);
        bytes.insert(bytes.end(), more.begin(), more.end());
    }
    return bytes;
}

// Every channel at 0, then every lamp off: what leaving sends, byte for byte.
Bytes AllOffBytes()
{
    Bytes bytes = Zeros(kLeadInBytes);
    unsigned char frame[kChaseFrameBytes];
    for (int k = 0; k < kChannels; ++k) {
        EncodeChannelFrame(frame, k, 0, 0);
        bytes.insert(bytes.end(), frame, frame + kChannelFrameBytes);
        bytes.insert(bytes.end(), kLeadInBytes, 0x00);
    }
    const unsigned char dark[kTiers][kCircuits] = {};
    const unsigned char none[kCircuits] = {};
    EncodeChaseFrame(frame, {dark, none, none});
    bytes.insert(bytes.end(), kLeadInBytes, 0x00);
    bytes.insert(bytes.end(), frame, frame + kChaseFrameBytes);
    return bytes;
}

class LampTestDlgTest : public FileTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(line1.Ok() && line2.Ok());
        ASSERT_TRUE(tree1.Open(line1.path.c_str()));
        ASSERT_TRUE(tree2.Open(line2.path.c_str()));
        doc->m_tree1Port = &tree1;
        doc->m_tree2Port = &tree2;
    }
    void Open(ETestLayout layout = ETestLayout::kEveryPart)
    {
        MakeTestLayout(*doc, layout);
        before.assign(reinterpret_cast<const unsigned char*>(doc.get()),
                      reinterpret_cast<const unsigned char*>(doc.get()) + sizeof(CShowData));
        dlg = std::make_unique<CLampTestDlg>(*doc, nullptr, [this] { return now; });
        dlg->show();
        // Opening makes both trees dark.
        Expect(line1, "|");
        Expect(line2, "|");
    }
    bool DocumentUnchanged() const
    {
        return std::memcmp(before.data(), doc.get(), sizeof(CShowData)) == 0;
    }
    template <class T = QPushButton>
    T* Control(const char* id) const
    {
        return dlg->findChild<T*>(id);
    }
    QString Text(const char* id) const { return Control<QLabel>(id)->text(); }
    void Choose(const char* id, int index) { Control<QComboBox>(id)->setCurrentIndex(index); }
    void Key(Qt::Key key) { QTest::keyClick(dlg.get(), key); }
    // What the line got since the last look, taken into its tree's model.
    void Expect(CPtyLine& line, const std::string& lit)
    {
        CTreeModel& model = &line == &line1 ? model1 : model2;
        model.Take(ReceiveStep(line));
        EXPECT_EQ(model.Lit(), lit);
    }
    void Tick(long long ms)
    {
        now += ms;
        dlg->OnTimer();
    }
    // The picture lights exactly what tree 1 holds.
    void ExpectPictureOfTree1()
    {
        CTreeGeometry g;
        dlg->findChild<CLampTestPicture*>("lampTestPicture")->Compute(g);
        for (int t = 1; t <= doc->m_tierCount; ++t)
            for (int c = 0; c < kCircuits; ++c)
                EXPECT_EQ(g.row[t - 1].stripe[c].lit, model1.tier[t - 1][c] && model1.level[kColor1 + c] > 0)
                    << "tier " << t << " circuit " << c + 1;
        for (int c = 0; c < kCircuits; ++c)
            EXPECT_EQ(g.chest[c].lit, model1.chest[c]);
        EXPECT_EQ(g.star.state.lit, doc->m_starPresent && model1.level[kStar] > 0);
        EXPECT_EQ(g.cross.state.lit, doc->m_crossPresent && model1.level[kCross] > 0);
    }

    CPtyLine line1, line2;
    CSerialPort tree1, tree2;
    CTreeModel model1, model2;
    long long now = 1000;
    std::vector<unsigned char> before;
    std::unique_ptr<CLampTestDlg> dlg;
};

constexpr int kAllOn = 1, kOneCircuit = 2, kTierWalk = 3, kColumnWalk = 4, kAlternate = 5, kDimmer = 6;

// Each pattern, chosen on the screen and stepped with the Next key, puts on both
// lines what it names; a part the layout lacks is never stepped to.
TEST_F(LampTestDlgTest, EachPatternsFramesReachBothTreesStepByStep)
{
    const std::string colors = " Color 1=60 Color 2=60 Color 3=60 Color 4=60 Color 5=60 Color 6=60";
    const std::string every = " Star=60 Cross=60 Aux 1=60 Aux 2=60 Aux 3=60 Aux 4=60" + colors;
    const struct {
        ETestLayout layout;
        int pattern;
        int channel;  // dimmer test only
        int steps;
        int step;     // the step checked, from 0
        const char* label;
        std::string lit;
    } cases[] = {
        {ETestLayout::kEveryPart, kAllOn, 0, 1, 0, "All On at 60%",
         "t1:111111 t2:111111 t3:111111 t4:111111 chest:111111 outline:111111 |" + every +
             " Chest=60 Outline=60"},
        {ETestLayout::kBare, kAllOn, 0, 1, 0, "All On at 60%", "t1:111111 t3:111111 |" + every +
                                                                   " Chest=60 Outline=60"},
        {ETestLayout::kEveryPart, kOneCircuit, 0, 38, 8, "Tier 2 - Circuit 3 - red", "t2:001000 | Color 3=60"},
        {ETestLayout::kEveryPart, kOneCircuit, 0, 38, 25, "Chest Rail - Circuit 2 - red", "chest:010000 | Chest=60"},
        {ETestLayout::kEveryPart, kOneCircuit, 0, 38, 35, "Outline - Circuit 6 - green",
         "outline:000001 | Outline=60"},
        {ETestLayout::kEveryPart, kOneCircuit, 0, 38, 36, "Star - yellow", "| Star=60"},
        {ETestLayout::kEveryPart, kOneCircuit, 0, 38, 37, "Cross - white", "| Cross=60"},
        {ETestLayout::kBare, kOneCircuit, 0, 12, 6, "Tier 3 - Circuit 1 - white", "t3:100000 | Color 1=60"},
        {ETestLayout::kBare, kOneCircuit, 0, 12, 12, "Tier 1 - Circuit 1 - white", "t1:100000 | Color 1=60"},
        {ETestLayout::kEveryPart, kTierWalk, 0, 4, 2, "Tier 2 - All Circuits", "t2:111111 |" + colors},
        {ETestLayout::kBare, kTierWalk, 0, 2, 1, "Tier 1 - All Circuits", "t1:111111 |" + colors},
        {ETestLayout::kEveryPart, kColumnWalk, 0, 6, 1, "Circuit 2 - Every Tier",
         "t1:010000 t2:010000 t3:010000 t4:010000 | Color 2=60"},
        {ETestLayout::kEveryPart, kAlternate, 0, 2, 1, "Even Circuits - 2, 4, 6",
         "t1:010101 t2:010101 t3:010101 t4:010101 chest:010101 outline:010101 | Color 2=60 Color 4=60 Color "
         "6=60 Chest=60 Outline=60"},
        {ETestLayout::kBare, kAlternate, 0, 2, 0, "Odd Circuits - 1, 3, 5",
         "t1:101010 t3:101010 | Color 1=60 Color 3=60 Color 5=60"},
        {ETestLayout::kEveryPart, kDimmer, kColor4, 20, 13, "Color 4 at 70%",
         "t1:000100 t2:000100 t3:000100 t4:000100 | Color 4=70"},
        {ETestLayout::kBare, kDimmer, kOutline, 20, 10, "Outline at 100%", "| Outline=100"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        Open(c.layout);
        Control<QSlider>("2015")->setValue(60);
        Expect(line1, "|");
        line2.Receive();
        Choose("2013", c.channel);
        Choose("2011", c.pattern);
        model1.Take(ReceiveStep(line1));
        model2.Take(ReceiveStep(line2));
        for (int i = 0; i < c.step; ++i) {
            Key(Qt::Key_Right);
            model1.Take(ReceiveStep(line1));
            model2.Take(ReceiveStep(line2));
        }
        EXPECT_EQ(model1.Lit(), c.lit);
        EXPECT_EQ(model2.Lit(), c.lit) << "the second tree gets the same";
        EXPECT_EQ(Text("2002"), QString("Trees 1 and 2 - %1").arg(c.label));
        EXPECT_EQ(Text("2003"), QString("Step %1 of %2").arg(c.step % c.steps + 1).arg(c.steps));
        ExpectPictureOfTree1();
        dlg.reset();
        line1.Receive();
        line2.Receive();
        model1 = model2 = CTreeModel{};
    }
}

// Back and the Left key go the other way, from the first step round to the last;
// the start box jumps to any step, and Next goes on from there.
TEST_F(LampTestDlgTest, BackAndTheStartBoxMoveThroughTheCircuits)
{
    Open();
    Choose("2011", kOneCircuit);
    Expect(line1, "t1:100000 | Color 1=100");
    Key(Qt::Key_Left);
    Expect(line1, "| Cross=100");
    Control("2020")->click();
    Expect(line1, "| Star=100");
    QComboBox* start = Control<QComboBox>("2012");
    ASSERT_EQ(start->count(), 38);
    start->activated(start->findText("Tier 4 - Circuit 2 - blue"));
    Expect(line1, "t4:010000 | Color 2=100");
    Control("2021")->click();
    Expect(line1, "t4:001000 | Color 3=100");
    EXPECT_EQ(start->currentText(), "Tier 4 - Circuit 3 - red");
}

TEST_F(LampTestDlgTest, TreeOneOnlyLeavesTreeTwosLineSilent)
{
    Open();
    Choose("2011", kOneCircuit);
    Expect(line1, "t1:100000 | Color 1=100");
    Expect(line2, "t1:100000 | Color 1=100");
    Choose("2010", 0);
    Expect(line2, "|");  // left dark
    for (int i = 0; i < 3; ++i)
        Key(Qt::Key_Right);
    Tick(5000);  // the refresh too
    Key(Qt::Key_Down);
    EXPECT_TRUE(line2.Receive().empty());
    model1.Take(line1.Receive());
    EXPECT_EQ(model1.Lit(), "t1:000010 | Color 5=100");
    EXPECT_EQ(Text("2002"), "Tree 1 - Tier 1 - Circuit 5 - yellow");
}

// Escape switches off at once and stays on the screen; leaving, however it is
// done, sends every channel at 0 and every lamp off and changes nothing of the show.
TEST_F(LampTestDlgTest, EscapeSwitchesOffAndLeavingSendsAllOff)
{
    enum Way { kButton, kCloseBox, kEscapeTwice };
    for (Way way : {kButton, kCloseBox, kEscapeTwice}) {
        SCOPED_TRACE(way);
        Open();
        Choose("2011", kAllOn);
        Control<QCheckBox>("2017")->setChecked(true);
        line1.Receive();
        line2.Receive();
        Key(Qt::Key_Escape);
        Expect(line1, "|");
        EXPECT_TRUE(dlg->isVisible());
        EXPECT_FALSE(Control<QCheckBox>("2017")->isChecked());
        EXPECT_EQ(Text("2004"), "Everything is off. Escape again leaves the lamp test.");
        Choose("2011", kOneCircuit);
        line1.Receive();
        line2.Receive();

        if (way == kButton)
            Control("2023")->click();
        else if (way == kCloseBox)
            dlg->close();
        else {
            Key(Qt::Key_Escape);
            line1.Receive();
            line2.Receive();
            Key(Qt::Key_Escape);
        }
        EXPECT_FALSE(dlg->isVisible());
        EXPECT_EQ(dlg->result(), QDialog::Rejected);
        EXPECT_EQ(line1.Receive(AllOffBytes().size()), AllOffBytes());
        EXPECT_EQ(line2.Receive(AllOffBytes().size()), AllOffBytes());
        dlg.reset();
        EXPECT_TRUE(line1.Receive().empty()) << "all off goes once";
        EXPECT_TRUE(DocumentUnchanged());
        EXPECT_TRUE(tree1.m_treeBehind) << "the show's next transmission brings the tree back to its cue";
    }
}

// Left untouched, the test steps on by itself and switches off after ten
// minutes; a touch starts the ten minutes again.
TEST_F(LampTestDlgTest, UntouchedForTenMinutesItSwitchesItselfOff)
{
    Open();
    Choose("2011", kOneCircuit);
    Control<QDoubleSpinBox>("2018")->setValue(0.5);
    Control<QCheckBox>("2017")->setChecked(true);
    Expect(line1, "t1:100000 | Color 1=100");
    Tick(400);
    EXPECT_EQ(dlg->Step(), 0);
    Tick(100);
    EXPECT_EQ(dlg->Step(), 1) << "a step by itself goes out at its time";
    Expect(line1, "t1:010000 | Color 2=100");

    Tick(CLampTestDlg::kIdleMs - 1000);
    EXPECT_FALSE(dlg->Shown().Dark());
    Key(Qt::Key_Right);  // a touch
    Tick(CLampTestDlg::kIdleMs - 1);
    EXPECT_FALSE(dlg->Shown().Dark());
    Tick(1);
    EXPECT_TRUE(dlg->Shown().Dark());
    EXPECT_FALSE(Control<QCheckBox>("2017")->isChecked());
    EXPECT_EQ(Text("2004"), "Switched off: nobody touched the lamp test for 10 minutes.");
    model1.Take(line1.Receive());
    EXPECT_EQ(model1.Lit(), "|");
    EXPECT_TRUE(dlg->isVisible());
}

TEST_F(LampTestDlgTest, TheLinesStateIsShown)
{
    Open();
    EXPECT_EQ(Text("2005"), "Tree 1 line: open     Tree 2 line: open");
    HoldBack(tree1.m_fd);
    line2.CloseTreeSide();
    Choose("2011", kAllOn);
    Tick(1000);
    EXPECT_EQ(Text("2005"), "Tree 1 line: held back     Tree 2 line: lost");
    EXPECT_EQ(Text("2001"), "LAMP TEST - the show is stopped");
}

}  // namespace
