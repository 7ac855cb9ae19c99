#include "document/ShowData.h"
#include "link/PortConfig.h"
#include "tests/FileTestSupport.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

class PortConfigTest : public testing::Test {
protected:
    CTempProgramDir dir;
    std::unique_ptr<CShowData> doc = std::make_unique<CShowData>();
};

TEST_F(PortConfigTest, EachTreeTakesTheFirstLineWithItsNumber)
{
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
        {"name cut to 24", "1|/dev/serial/by-id/usb-Tree-One-if00|\n", "/dev/serial/by-id/usb-Tr", ""},
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
    EXPECT_EQ(dir.Read(kPortConfigFile), "1|" + std::string(24, 'A') + "|\n2|COM2|\n");
    EXPECT_EQ(PortStatusText(*doc), "CurrentComPort = " + std::string(24, 'A') + " COM2");
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
