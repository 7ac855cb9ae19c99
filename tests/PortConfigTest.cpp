#include "document/ShowData.h"
#include "link/PortConfig.h"
#include "link/SerialPort.h"
#include "tests/FileTestSupport.h"
#include "tests/PtyLine.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

class PortConfigTest : public testing::Test {
protected:
    CTempProgramDir dir;
    std::unique_ptr<CShowData> doc = std::make_unique<CShowData>();
};

TEST_F(PortConfigTest, EachTreeTakesTheFirstLineWithItsNumber)
{
    const std::string name199 = "/" + std::string(198, 'n');
    const std::string longLine = "9|" + std::string(497, 'a') + "2|COM9|\n";  // 499 characters reach "2|"
    const struct {
        const char* what;
        std::string file;
        const char* tree1;
        const char* tree2;
    } cases[] = {
        {"as written", "1|COM1|\n2|COM2|\n", "COM1", "COM2"},
        {"tree 2 first", "2|COM2|\n1|COM1|\n", "COM1", "COM2"},
        {"two lines for tree 1", "1|COM3|\n1|COM4|\n2|NONE|\n", "COM3", "NONE"},
        {"no line for tree 2", "1|/dev/ttyUSB0|\n", "/dev/ttyUSB0", ""},
        {"empty file", "", "", ""},
        {"a by-id name", "1|/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0|\n",
         "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0", ""},
        {"199 characters held", "2|" + name199 + "|\n", "", name199.c_str()},
        {"rest of a long line is no record", longLine + "2|COM2|\n", "", "COM2"},
        {"long line then tree 1", std::string(2000, '1') + "\n1|COM1|\n", "COM1", ""},
        {"no closing bar", "1|COM1\n2|COM2", "COM1", "COM2"},
        {"Windows line ends", "1|COM1|\r\n2|COM2|\r\n", "COM1", "COM2"},
        {"empty name", "1||\n1|COM4|\n", "", ""},
        {"no number", "x|COM1|\n|COM2|\n", "", ""},
        {"huge number", "99999999999999999999|COM1|\n4294967297|COM2|\n", "", ""},
        {"binary junk", std::string("\0\xff|\x01|\n2|COM2|\n", 14), "", "COM2"},
    };
    for (const auto& c : cases) {
        dir.Write(kPortConfigFile, c.file);
        EXPECT_STREQ(doc->ReadPortConfig(1), c.tree1) << c.what;
        EXPECT_STREQ(doc->ReadPortConfig(2), c.tree2) << c.what;
        EXPECT_STREQ(doc->m_tree1PortName, c.tree1) << c.what;
        EXPECT_STREQ(doc->m_tree2PortName, c.tree2) << c.what;
    }
}

TEST_F(PortConfigTest, MissingFileLeavesBothNamesEmpty)
{
    std::strcpy(doc->m_tree1PortName, "COM1");
    std::strcpy(doc->m_tree2PortName, "COM2");
    EXPECT_STREQ(doc->ReadPortConfig(1), "");
    EXPECT_STREQ(doc->ReadPortConfig(2), "");
    EXPECT_STREQ(doc->m_tree1PortName, "");
    EXPECT_STREQ(doc->m_tree2PortName, "");
    EXPECT_EQ(PortStatusText(*doc), "CurrentComPort =  ");
}

TEST_F(PortConfigTest, OnlyTreesOneAndTwoAreAsked)
{
    dir.Write(kPortConfigFile, "0|COM1|\n3|COM3|\n");
    for (int tree : {0, 3, -1})
        EXPECT_STREQ(doc->ReadPortConfig(tree), "") << tree;
}

TEST_F(PortConfigTest, WriteSavesBothLinesAndReadsBack)
{
    std::strcpy(doc->m_tree1PortName, "COM3");
    std::strcpy(doc->m_tree2PortName, "NONE");
    ASSERT_TRUE(doc->WritePortConfig());
    EXPECT_EQ(dir.Read(kPortConfigFile), "1|COM3|\n2|NONE|\n");
    EXPECT_EQ(PortStatusText(*doc), "CurrentComPort = COM3 NONE");

    auto again = std::make_unique<CShowData>();
    EXPECT_STREQ(again->ReadPortConfig(1), "COM3");
    EXPECT_STREQ(again->ReadPortConfig(2), "NONE");
}

TEST_F(PortConfigTest, UnterminatedNameIsWrittenCutNotOverrun)
{
    std::memset(doc->m_tree1PortName, 'A', kPortNameSize);  // no terminating zero
    std::strcpy(doc->m_tree2PortName, "COM2");
    ASSERT_TRUE(doc->WritePortConfig());
    EXPECT_EQ(dir.Read(kPortConfigFile), "1|" + std::string(199, 'A') + "|\n2|COM2|\n");
    EXPECT_EQ(PortStatusText(*doc), "CurrentComPort = " + std::string(199, 'A') + " COM2");
}

// A cut device name would open some other line: a name too long to hold is not
// used at all, and the start-up says so; the other tree keeps its own.
TEST_F(PortConfigTest, NameLongerThanAPortNameMayBeIsRefusedNotCut)
{
    dir.Write(kPortConfigFile, "1|/" + std::string(199, 'x') + "|\n2|COM2|\n");
    EXPECT_STREQ(doc->ReadPortConfig(1), "");
    EXPECT_STREQ(doc->ReadPortConfig(2), "COM2");
    EXPECT_TRUE(doc->m_portNameTooLong[0]);
    EXPECT_FALSE(doc->m_portNameTooLong[1]);
    EXPECT_EQ(PortNameTooLongText(1), "The port name for Tree 1 in Glimmerbox.cfg is longer than 199 characters and "
                                      "was not used; choose the port again in the port setup.");
    EXPECT_FALSE(SetPortName(doc->m_tree2PortName, ("/" + std::string(199, 'x')).c_str()));
    EXPECT_STREQ(doc->m_tree2PortName, "COM2");
}

// A stable adapter name of 150 bytes goes into the file, comes back whole and opens
// the line it points at.
TEST_F(PortConfigTest, LongByIdNameIsStoredReadBackAndOpened)
{
    CPtyLine line;
    ASSERT_TRUE(line.Ok());
    std::string base = dir.Path("usb-FTDI_FT232R_USB_UART_");
    std::string link = base + std::string(150 - base.size() - 11, 'A') + "-if00-port0";
    ASSERT_EQ(link.size(), 150u);
    ASSERT_EQ(symlink(line.path.c_str(), link.c_str()), 0);
    ASSERT_TRUE(SetPortName(doc->m_tree1PortName, link.c_str()));
    std::strcpy(doc->m_tree2PortName, "NONE");
    ASSERT_TRUE(doc->WritePortConfig());
    EXPECT_EQ(dir.Read(kPortConfigFile), "1|" + link + "|\n2|NONE|\n");

    auto again = std::make_unique<CShowData>();
    ASSERT_EQ(again->ReadPortConfig(1), link);
    CSerialPort port(again->m_tree1PortName);
    ASSERT_TRUE(port.IsUsable());
    const unsigned char frame[3] = {7, 8, 9};
    EXPECT_EQ(port.Write(frame, 3), 3);
    EXPECT_EQ(line.Receive(3), std::vector<unsigned char>(frame, frame + 3));
}

TEST_F(PortConfigTest, WriteReportsAProgramDirectoryItCannotWriteTo)
{
    dir.Write("plain-file", "x");
    setenv("GLIMMERBOX_HOME", dir.Path("plain-file/sub").c_str(), 1);
    std::strcpy(doc->m_tree1PortName, "COM1");
    EXPECT_FALSE(doc->WritePortConfig());
    setenv("GLIMMERBOX_HOME", dir.Path("").c_str(), 1);
}

}  // namespace
