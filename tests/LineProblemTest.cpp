// What the console says about a tree line it cannot use, each through a real cause.
#include "link/LineProblem.h"
#include "link/SerialPort.h"
#include "tests/ChildRun.h"
#include "tests/FileTestSupport.h"
#include "tests/PtyLine.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const std::string kNobodyFix = "add your user to the dialout group: sudo adduser nobody dialout, then log out and in";

// Opens `path` as the unprivileged user and says what the port's problem is.
std::string WordsAsNobody(const std::string& path)
{
    return InChild([&] {
        CSerialPort port(path.c_str());
        return LineProblemText(&port);
    }, true);
}

TEST(LineProblemTest, EachCauseIsSaidWithItsFix)
{
    CTempProgramDir dir;
    CPtyLine forbidden, held;
    ASSERT_TRUE(forbidden.Ok() && held.Ok());
    // Only its owner (root) may open this one.
    ASSERT_EQ(chmod(forbidden.path.c_str(), 0600), 0);
    // Anyone may open this one, but the console holds it for itself (TIOCEXCL).
    ASSERT_EQ(chmod(held.path.c_str(), 0666), 0);
    CSerialPort holder(held.path.c_str());
    ASSERT_TRUE(holder.IsUsable());
    dir.Write("show.cue", "1|x|\n");

    if (WordsAsNobody("/dev/null") == kNoUnprivilegedUser)
        GTEST_SKIP() << "needs to run as root to become uid 65534";
    EXPECT_EQ(WordsAsNobody(forbidden.path), kNobodyFix);
    EXPECT_EQ(WordsAsNobody(held.path), "in use by another program: close it, then choose the port again");

    const struct {
        const char* what;
        std::string path;
        const char* words;
    } cases[] = {
        {"a path that is gone", dir.Path("ttyUSB7"), "not plugged in: plug the adapter in or choose another port"},
        {"a regular file", dir.Path("show.cue"), "not a serial line: choose another port"},
        {"a usable line", forbidden.path, ""},
        {"no port", "NONE", ""},
    };
    for (const auto& c : cases) {
        CSerialPort port(c.path.c_str());
        EXPECT_EQ(LineProblemText(&port), c.words) << c.what;
    }
}

TEST(LineProblemTest, TheFixNamesTheUserTheConsoleRunsAs)
{
    std::string words = LineProblemText(ELineProblem::kPermission, CurrentUserName());
    EXPECT_NE(words.find("sudo adduser " + CurrentUserName() + " dialout"), std::string::npos) << words;
    EXPECT_EQ(LineProblemText(ELineProblem::kOther, "", EPROTO), "cannot be used: Protocol error");
}

long long g_fakeNow = 0;
long long FakeNow() { return g_fakeNow; }

// A pseudo-terminal has no CTS to ask: a tree that takes nothing for more than
// 2 s is a controller that holds the line back.
TEST(LineProblemTest, LineFullForMoreThanTwoSecondsIsAControllerHoldingBack)
{
    CPtyLine line;
    ASSERT_TRUE(line.Ok());
    CSerialPort port(line.path.c_str());
    port.m_nowMs = &FakeNow;
    g_fakeNow = 10000;
    HoldBack(port.m_fd);
    const unsigned char frame[12] = {1};
    EXPECT_EQ(port.Write(frame, 12), 0);
    const struct {
        long long at;
        bool holding;
    } steps[] = {{10000, false}, {12000, false}, {12001, true}, {20000, true}};
    for (const auto& s : steps) {
        g_fakeNow = s.at;
        port.CheckLine();
        EXPECT_EQ(port.m_controllerHolding, s.holding) << s.at;
    }
    EXPECT_EQ(LineProblemText(&port), "controller off, or its handshake line not wired");

    // The tree reads again: the line moves and the words go.
    line.Receive(1u << 20, 50);
    port.CheckLine();
    EXPECT_FALSE(port.m_controllerHolding);
    EXPECT_EQ(port.Write(frame, 12), 12);
    EXPECT_EQ(LineProblemText(&port), "");
}

}  // namespace
