#include "link/SerialPort.h"
#include "tests/PtyLine.h"

#include <cerrno>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
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
    for (const char* name : {"NONE", "", "/dev/no-such-tree-line"}) {
        CSerialPort port(name);
        EXPECT_FALSE(port.IsOpen()) << name;
        EXPECT_FALSE(port.IsUsable()) << name;
        EXPECT_EQ(port.m_lastError, static_cast<unsigned>(ENOENT)) << name;
        unsigned char byte = 1;
        EXPECT_EQ(port.Write(&byte, 1), 0) << name;
        EXPECT_EQ(port.Read(&byte, 1, false), 0) << name;
        EXPECT_FALSE(port.Purge(kPurgeRxClear)) << name;
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

TEST(SerialPort, DeviceThatIsNoTerminalOpensButIsNotUsable)
{
    char path[] = "/tmp/notattyXXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    CSerialPort port(path);
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(port.m_lastError, static_cast<unsigned>(ENOTTY));
    EXPECT_FALSE(port.IsUsable());
    // The console's second line-format call does not make it a terminal either.
    EXPECT_FALSE(port.SetLineFormat(kNoParity, 8, kOneStopBit));
    EXPECT_FALSE(port.IsUsable());
    port.Close();
    std::remove(path);
}

TEST(SerialPort, WriteToAHeldBackLineGivesUpAfterItsTimeOut)
{
    CPtyLine line;
    ASSERT_TRUE(line.Ok());
    CSerialPort port(line.path.c_str());
    ASSERT_GT(HoldBack(port.m_fd), 0u);

    unsigned char frame[12] = {};
    EXPECT_LT(port.Write(frame, sizeof frame), static_cast<int>(sizeof frame));
    EXPECT_EQ(port.m_lastError, static_cast<unsigned>(ETIMEDOUT));
    EXPECT_FALSE(port.IsUsable());
    // The purge that closes every sequence clears the error again.
    EXPECT_TRUE(port.Purge(kPurgeRxClear));
    EXPECT_TRUE(port.IsUsable());

    // Once the tree reads again, writes flow.
    line.Receive(1);
    EXPECT_EQ(port.Write(frame, sizeof frame), static_cast<int>(sizeof frame));
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

TEST(SerialPort, WriteToAPipeWithoutReaderIsAnErrorNotASignal)
{
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    close(fds[0]);
    CSerialPort port;
    port.m_fd = fds[1];  // stands for a device path that turned out to be a pipe
    unsigned char byte = 0;
    EXPECT_EQ(port.Write(&byte, 1), 0);
    EXPECT_EQ(port.m_lastError, static_cast<unsigned>(EPIPE));
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
