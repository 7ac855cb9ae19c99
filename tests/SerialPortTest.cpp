#include "link/FrameEncoder.h"
#include "link/SerialPort.h"
#include "tests/FileTestSupport.h"
#include "tests/PtyLine.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <termios.h>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

TEST(SerialDevicePath, NamesMapToDevices)
{
    const struct {
        const char* name;
        const char* path;
    } cases[] = {{"COM1", "/dev/ttyS0"}, {"COM4", "/dev/ttyS3"}, {"/dev/ttyUSB0", "/dev/ttyUSB0"},
                 {"NONE", ""},           {"", ""},             {"COM5", ""},
                 {"COM0", ""},           {"COM12", ""},        {"ttyS0", ""},
                 {"../etc/passwd", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(SerialDevicePath(c.name), c.path) << c.name;
    EXPECT_EQ(SerialDevicePath(nullptr), "");
}

TEST(SerialPort, PortsThatDoNotOpenStayClosedAndInert)
{
    const struct {
        const char* name;
        ELineState state;  // an absent device is looked for again, no port never
    } cases[] = {{"NONE", ELineState::kNoPort},
                 {"", ELineState::kNoPort},
                 {"/dev/no-such-tree-line", ELineState::kLost}};
    for (const auto& c : cases) {
        CSerialPort port(c.name);
        EXPECT_FALSE(port.IsOpen()) << c.name;
        EXPECT_FALSE(port.IsUsable()) << c.name;
        EXPECT_EQ(port.m_lastError, static_cast<unsigned>(ENOENT)) << c.name;
        EXPECT_EQ(port.State(), c.state) << c.name;
        EXPECT_FALSE(port.CheckLine()) << c.name;
        unsigned char byte = 1;
        EXPECT_EQ(port.Write(&byte, 1), 0) << c.name;
        EXPECT_EQ(port.Read(&byte, 1, false), 0) << c.name;
        EXPECT_FALSE(port.Purge(kPurgeRxClear)) << c.name;
        port.Close();  // closing twice is harmless
    }
}

TEST(SerialPort, OpensAPtyRawAt38400WithHandshakeAndIsUsable)
{
    CPtyLine line;
    ASSERT_TRUE(line.Ok());
    CSerialPort port(line.path.c_str());
    ASSERT_TRUE(port.IsOpen());
    // A pty has no modem lines to raise; that must not leave the port unusable.
    EXPECT_EQ(port.m_lastError, 0u);
    EXPECT_TRUE(port.IsUsable());

    termios tio{};
    ASSERT_EQ(tcgetattr(port.m_fd, &tio), 0);
    EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B38400));
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB), 0u);
    EXPECT_NE(tio.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(tio.c_oflag & OPOST, 0u);
    EXPECT_EQ(tio.c_iflag & (IXON | ICRNL), 0u);

    // Binary bytes pass untouched, one byte writes count one.
    const unsigned char bytes[] = {0x00, 0x0A, 0x0D, 0x11, 0x13, 0x03, 0xFF};
    EXPECT_EQ(port.Write(bytes, 1), 1);
    EXPECT_EQ(port.Write(bytes + 1, sizeof bytes - 1), static_cast<int>(sizeof bytes - 1));
    EXPECT_EQ(line.Receive(sizeof bytes), Bytes(bytes, bytes + sizeof bytes));
    EXPECT_EQ(port.m_lastError, 0u);
}

TEST(SerialPort, OpenDiscardsInputThatWaitedAndReadsNeverBlock)
{
    CPtyLine line;
    ASSERT_TRUE(line.Ok());
    ASSERT_EQ(write(line.master, "stale", 5), 5);
    usleep(20000);
    CSerialPort port(line.path.c_str());
    char buffer[16];
    EXPECT_EQ(port.Read(buffer, sizeof buffer, false), 0);

    ASSERT_EQ(write(line.master, "ok", 2), 2);
    int got = 0;
    for (int i = 0; i < 100 && got == 0; ++i) {
        got = port.Read(buffer, sizeof buffer, true);
        usleep(1000);
    }
    EXPECT_EQ(std::string(buffer, static_cast<size_t>(got)), "ok");
}

TEST(SerialPort, TakesTheLineForItself)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "exclusive use does not bind the super-user";
    CPtyLine line;
    ASSERT_TRUE(line.Ok());
    CSerialPort first(line.path.c_str());
    CSerialPort second(line.path.c_str());
    EXPECT_TRUE(first.IsOpen());
    EXPECT_FALSE(second.IsOpen());
    EXPECT_EQ(second.m_lastError, static_cast<unsigned>(EBUSY));
}

// Frames written into a file or a disk named in the configuration destroyed it:
// only terminals open, and nothing else is ever written to or tried again.
TEST(SerialPort, PathsThatAreNoTerminalStayClosedAndUntouched)
{
    CTempProgramDir dir;
    dir.Write("show.cue", "Cue 1|Lit|\n");
    ASSERT_EQ(mkfifo(dir.Path("fifo").c_str(), 0600), 0);
    ASSERT_EQ(symlink(dir.Path("show.cue").c_str(), dir.Path("link").c_str()), 0);
    int fifoReader = open(dir.Path("fifo").c_str(), O_RDONLY | O_NONBLOCK);
    for (std::string path : {dir.Path("show.cue"), dir.Path("link"), dir.Path("fifo"), dir.Path(""),
                             std::string("/dev/null"), std::string("/dev/zero")}) {
        CSerialPort port(path.c_str());
        EXPECT_FALSE(port.IsOpen()) << path;
        EXPECT_EQ(port.m_lastError, static_cast<unsigned>(ENOTTY)) << path;
        EXPECT_EQ(port.State(), ELineState::kNotTerminal) << path;
        EXPECT_EQ(port.Write(kStartupFrame, kChannelFrameBytes), 0) << path;
        EXPECT_FALSE(port.CheckLine()) << path;
        EXPECT_FALSE(port.IsOpen()) << path;
    }
    EXPECT_EQ(dir.Read("show.cue"), "Cue 1|Lit|\n");
    char byte;
    EXPECT_LE(read(fifoReader, &byte, 1), 0);
    close(fifoReader);
}

// A line whose buffer fills in the middle of a frame, as a UART's does.
class CNarrowPort : public CSerialPort {
public:
    using CSerialPort::CSerialPort;
    long room = 5;

protected:
    long WriteSome(const unsigned char* bytes, int count) override
    {
        long n = std::min<long>(count, room);
        if (n <= 0) {
            errno = EAGAIN;
            return -1;
        }
        room -= n;
        return CSerialPort::WriteSome(bytes, static_cast<int>(n));
    }
};

// A stalled line that read again used to get a half frame joined to a later one.
TEST(SerialPort, FrameTheLineTookInPartIsFinishedBeforeAnythingNew)
{
    CPtyLine line;
    ASSERT_TRUE(line.Ok());
    CNarrowPort port(line.path.c_str());
    Bytes first(kChannelFrameBytes, 0x11), next(kChannelFrameBytes, 0x22);
    EXPECT_EQ(port.Write(first.data(), kChannelFrameBytes), kChannelFrameBytes) << "taken, its rest queued";
    EXPECT_EQ(port.Write(next.data(), kChannelFrameBytes), 0) << "dropped whole while the line is full";
    EXPECT_TRUE(port.m_treeBehind);
    EXPECT_TRUE(port.IsUsable()) << "a full line is no failure";
    port.room = 100;
    EXPECT_EQ(port.Write(next.data(), kChannelFrameBytes), kChannelFrameBytes);
    first.insert(first.end(), next.begin(), next.end());
    EXPECT_EQ(line.Receive(first.size()), first);
}

TEST(SerialPort, OtherSideClosedFailsWithoutKillingTheProcess)
{
    CPtyLine line;
    ASSERT_TRUE(line.Ok());
    CSerialPort port(line.path.c_str());
    line.CloseTreeSide();

    unsigned char frame[12] = {};
    EXPECT_EQ(port.Write(frame, sizeof frame), 0);
    EXPECT_EQ(port.m_lastError, static_cast<unsigned>(EIO));
    EXPECT_FALSE(port.Purge(kPurgeRxClear));
    EXPECT_EQ(port.m_lastError, static_cast<unsigned>(EIO));
    EXPECT_FALSE(port.IsUsable());
    port.Close();
    EXPECT_FALSE(port.IsOpen());
}

TEST(SerialPort, WrappersClearTheLastErrorFirst)
{
    CPtyLine line;
    ASSERT_TRUE(line.Ok());
    CSerialPort port(line.path.c_str());
    port.m_lastError = 997;
    EXPECT_TRUE(port.SetLineFormat(kNoParity, 8, kOneStopBit));
    EXPECT_EQ(port.m_lastError, 0u);
    EXPECT_FALSE(port.SetBaudRate(12345));
    EXPECT_EQ(port.m_lastError, static_cast<unsigned>(EINVAL));
    EXPECT_TRUE(port.Purge(kPurgeTxClear | kPurgeRxClear));
    EXPECT_EQ(port.m_lastError, 0u);
}

}  // namespace
