// The port setup's words per tree, Swap Trees and Identify, and the console taking
// the new choice when the port setup closes.
#include "console/ComPortDlg.h"
#include "console/ConsoleStatus.h"
#include "link/FrameEncoder.h"
#include "link/SerialPort.h"
#include "tests/ChildRun.h"
#include "tests/PtyLine.h"
#include "tests/ui/ConsoleFixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <cstring>
#include <sys/stat.h>

namespace {

using Bytes = std::vector<unsigned char>;

class PortSetupLinesTest : public FileTest {
protected:
    void Names(const std::string& tree1, const std::string& tree2)
    {
        std::snprintf(doc->m_tree1PortName, kPortNameSize, "%s", tree1.c_str());
        std::snprintf(doc->m_tree2PortName, kPortNameSize, "%s", tree2.c_str());
    }
    static QString Note(CComPortDlg& dialog, int tree)
    {
        return dialog.findChild<QLabel*>(QString::number(1195 + tree))->text();
    }
    static void Click(CComPortDlg& dialog, const char* id) { dialog.findChild<QPushButton*>(id)->click(); }
};

// Each cause the screen can see as root is said for its tree in the same words the
// console's status line uses.
TEST_F(PortSetupLinesTest, EachTreeSaysWhatKeepsItsLineFromBeingUsed)
{
    CPtyLine good;
    dir.Write("show.cue", "1|x|\n");
    const struct {
        std::string name;
        const char* note;
    } cases[] = {
        {dir.Path("ttyUSB9"), "Tree 1: not plugged in: plug the adapter in or choose another port"},
        {dir.Path("show.cue"), "Tree 1: not a serial line: choose another port"},
        {good.path, "Tree 1: ready"},
        {"NONE", "Tree 1: not connected"},
        {"", "Tree 1: no port chosen"},
    };
    for (const auto& c : cases) {
        Names(c.name, "NONE");
        CComPortDlg dialog(*doc);
        EXPECT_EQ(Note(dialog, 1), c.note) << c.name;
        EXPECT_EQ(Note(dialog, 2), "Tree 2: not connected");
    }
}

// Permission and a line held by another program need a user other than root; the
// status line the console shows for a tree's line says them with their fix.
TEST_F(PortSetupLinesTest, StatusLineSaysPermissionAndBusyWithTheirFix)
{
    CPtyLine forbidden, held;
    ASSERT_EQ(chmod(forbidden.path.c_str(), 0600), 0);
    ASSERT_EQ(chmod(held.path.c_str(), 0666), 0);
    CSerialPort holder(held.path.c_str());
    std::string status = InChild([&] {
        CSerialPort tree1(forbidden.path.c_str()), tree2(held.path.c_str());
        doc->m_tree1Port = &tree1;
        doc->m_tree2Port = &tree2;
        doc->m_sendTreeSignals = true;
        return StoppedStatus(*doc);
    }, true);
    if (status == kNoUnprivilegedUser)
        GTEST_SKIP() << "needs to run as root to become uid 65534";
    EXPECT_EQ(status, "Will Send Info To Tree - Tree 1: add your user to the dialout group: sudo adduser nobody "
                      "dialout, then log out and in - Tree 2: in use by another program: close it, then choose "
                      "the port again");
}

TEST_F(PortSetupLinesTest, SwapTreesExchangesTheChoices)
{
    const struct {
        const char* tree1;
        const char* tree2;
        bool tree2Shown;
    } cases[] = {{"COM1", "/dev/serial/by-id/usb-A", true}, {"COM3", "NONE", true}, {"NONE", "COM2", false}};
    for (const auto& c : cases) {
        Names(c.tree1, c.tree2);
        CComPortDlg dialog(*doc);
        Click(dialog, "1200");
        EXPECT_STREQ(doc->m_tree1PortName, c.tree2);
        EXPECT_STREQ(doc->m_tree2PortName, c.tree1);
        EXPECT_EQ(!dialog.findChild<QPushButton*>("1186")->isHidden(), c.tree2Shown) << c.tree1;
        EXPECT_EQ(dialog.findChild<QLineEdit*>("1189")->text(),
                  QString("CurrentComPort = %1 %2").arg(c.tree2, c.tree1));
    }
}

// What one blink step puts on the line: all fourteen channels at `level` at once,
// then every lamp on or off, each frame between lead-ins as a cue sends them.
Bytes BlinkStep(bool on)
{
    Bytes bytes(kLeadInBytes, 0);
    unsigned char frame[kChaseFrameBytes];
    for (int k = 0; k < kChannels; ++k) {
        EncodeChannelFrame(frame, k, 0, on ? 100 : 0);
        bytes.insert(bytes.end(), frame, frame + kChannelFrameBytes);
        bytes.insert(bytes.end(), kLeadInBytes, 0);
    }
    unsigned char tiers[kChaseTiers][kLampCircuits], rail[kLampCircuits];
    std::memset(tiers, on, sizeof tiers);
    std::memset(rail, on, sizeof rail);
    EncodeChaseFrame(frame, {tiers, rail, rail});
    bytes.insert(bytes.end(), kLeadInBytes, 0);
    bytes.insert(bytes.end(), frame, frame + kChaseFrameBytes);
    return bytes;
}

// Identify blinks the chosen tree alone, on and off once a second for 5 s, whether
// the console holds that line or not, and changes nothing of the show.
TEST_F(PortSetupLinesTest, IdentifyBlinksThatTreeAloneAndLeavesTheShow)
{
    CPtyLine line1, line2;
    CSerialPort consoleTree2(line2.path.c_str());
    doc->m_tree2Port = &consoleTree2;
    doc->m_currentCue = 3;
    doc->m_cueLevel[0][3] = 40;
    auto before = std::make_unique<CShowData>();
    std::memcpy(before->m_cueLevel, doc->m_cueLevel, sizeof doc->m_cueLevel);
    Bytes expected;
    for (int step = 0; step < CComPortDlg::kIdentifySteps; ++step) {
        Bytes one = BlinkStep(step % 2 == 0);
        expected.insert(expected.end(), one.begin(), one.end());
    }
    for (int tree : {1, 2}) {
        SCOPED_TRACE(tree);
        Names(line1.path, line2.path);
        CComPortDlg dialog(*doc);
        Click(dialog, tree == 1 ? "1198" : "1199");
        for (int step = 1; step < CComPortDlg::kIdentifySteps + 3; ++step)
            dialog.OnIdentifyStep();  // the blink's timer, without waiting for it
        CPtyLine& blinked = tree == 1 ? line1 : line2;
        CPtyLine& other = tree == 1 ? line2 : line1;
        Bytes got = blinked.Receive(expected.size());
        EXPECT_EQ(got.size(), expected.size());
        EXPECT_EQ(got, expected);
        EXPECT_TRUE(other.Receive(0, 20).empty());
    }
    EXPECT_EQ(std::memcmp(before->m_cueLevel, doc->m_cueLevel, sizeof doc->m_cueLevel), 0) << "levels changed";
    EXPECT_EQ(doc->m_currentCue, 3);
    EXPECT_FALSE(doc->m_running);
    EXPECT_EQ(std::string(doc->m_tree1PortName) + " " + doc->m_tree2PortName, line1.path + " " + line2.path);
    doc->m_tree2Port = nullptr;
}

class PortSetupConsoleTest : public ConsoleTest {};

// Closing the port setup puts the console's port on the new line at once, start-up
// frame first, and the console stays open with its show.
TEST_F(PortSetupConsoleTest, ClosingThePortSetupUsesTheNewLineWithoutARestart)
{
    CPtyLine oldLine, newLine;
    ASSERT_TRUE(tree1.Open(oldLine.path.c_str()));
    WriteShow(3);
    Open();
    ASSERT_TRUE(console->Loaded());
    oldLine.Receive(kChannelFrameBytes);
    Click("1006");  // the show runs, and stops for the port setup
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CComPortDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(doc->m_running);
        dialog->OnTree1Port(newLine.path.c_str());
        dialog->close();
    });
    console->OnComPortSetup();
    EXPECT_EQ(tree1.Path(), newLine.path);
    EXPECT_TRUE(tree1.IsUsable());
    EXPECT_EQ(newLine.Receive(kChannelFrameBytes), Bytes(kStartupFrame, kStartupFrame + kChannelFrameBytes));
    EXPECT_TRUE(oldLine.Receive(0, 20).empty());
    EXPECT_EQ(CueList()->count(), 3) << "the console keeps its show";
    EXPECT_EQ(console->result(), 0) << "the console did not end";
    EXPECT_EQ(dir.Read("Glimmerbox.cfg"), "1|" + newLine.path + "|\n2||\n");
}

}  // namespace
