// Start-up: the port configuration names the lines the two trees' ports open on.
#include "app/ShowApp.h"
#include "document/ShowData.h"
#include "link/SerialPort.h"
#include "tests/FileTestSupport.h"
#include "tests/PtyLine.h"

namespace {

TEST(ShowAppStart, OpensEachTreePortOnItsConfiguredLine)
{
    CTempProgramDir dir;
    CPtyLine line;
    ASSERT_TRUE(line.Ok());
    dir.Write("Glimmerbox.cfg", "2|NONE|\n1|" + line.path + "|\n");
    CShowApp app;
    CShowData& doc = app.Document();
    EXPECT_EQ(std::string(doc.m_tree1PortName), line.path);
    EXPECT_STREQ(doc.m_tree2PortName, "NONE");
    ASSERT_NE(doc.m_tree1Port, nullptr);
    ASSERT_NE(doc.m_tree2Port, nullptr);
    EXPECT_TRUE(doc.m_tree1Port->IsOpen());
    EXPECT_FALSE(doc.m_tree2Port->IsOpen());
    EXPECT_NE(doc.m_operator, nullptr);
    EXPECT_FALSE(doc.m_running);
    EXPECT_FALSE(doc.m_sendTreeSignals);
}

TEST(ShowAppStart, WithoutAConfigurationBothPortsStayClosed)
{
    CTempProgramDir dir;
    CShowApp app;
    EXPECT_STREQ(app.Document().m_tree1PortName, "");
    EXPECT_FALSE(app.Document().m_tree1Port->IsOpen());
    EXPECT_FALSE(app.Document().m_tree2Port->IsOpen());
}

}  // namespace
