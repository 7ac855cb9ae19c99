// Start-up: the port configuration names the lines the two trees' ports open on.
#include "app/ShowApp.h"
#include "document/AtomicFile.h"
#include "document/ShowData.h"
#include "link/SerialPort.h"
#include "tests/FileTestSupport.h"
#include "tests/PtyLine.h"

#include <glob.h>
#include <sys/stat.h>
#include <sys/wait.h>

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

TEST(ShowAppStart, AProgramDirectoryOthersCanWriteToStopsTheStartBeforeAnythingIsRead)
{
    CTempProgramDir dir;
    dir.Write("Glimmerbox.cfg", "1|COM1|\n");
    chmod(dir.Path("").c_str(), 0777);
    CScriptedOperator person;
    CShowApp app(&person);
    EXPECT_EQ(person.Transcript(), "ERROR: The program directory " + std::string(getenv("GLIMMERBOX_HOME")) +
                                       " cannot be used: other users can write to it.\n"
                                       "Nothing was read or written; the console does not start.\n");
    EXPECT_STREQ(app.Document().m_tree1PortName, "");
    EXPECT_EQ(app.Run(), 1);
}

TEST(ShowAppStart, APipeForThePortConfigurationIsToldWithoutHangingAndThePortsStayClosed)
{
    CTempProgramDir dir;
    ASSERT_EQ(mkfifo(dir.Path("Glimmerbox.cfg").c_str(), 0644), 0);
    CScriptedOperator person;
    CShowApp app(&person);
    EXPECT_EQ(person.Transcript(), "ERROR: Cannot read " + dir.Path("Glimmerbox.cfg") +
                                       " (a named pipe, not a regular file).\nIt is left as it is: nothing will be "
                                       "saved over it.\n");
    EXPECT_FALSE(app.Document().m_tree1Port->IsOpen());
    EXPECT_FALSE(app.Document().m_tree2Port->IsOpen());
}

// A name too long to hold is said at start and opens nothing, never a cut name's line.
TEST(ShowAppStart, APortNameTooLongIsToldAndOpensNothing)
{
    CTempProgramDir dir;
    CPtyLine line;
    dir.Write("Glimmerbox.cfg", "1|" + line.path + std::string(200, '/') + "|\n2|" + line.path + "|\n");
    CScriptedOperator person;
    CShowApp app(&person);
    EXPECT_EQ(person.Transcript(), "ERROR: The port name for Tree 1 in Glimmerbox.cfg is longer than 199 characters "
                                   "and was not used; choose the port again in the port setup.\n");
    EXPECT_FALSE(app.Document().m_tree1Port->IsOpen());
    EXPECT_TRUE(app.Document().m_tree2Port->IsOpen());
}

TEST(ShowAppStart, SavesCutShortByACrashAreClearedAwayAtStart)
{
    CTempProgramDir dir;
    dir.Write("show.cue", "old\n");
    dir.Write("show.cue.glimmerbox-save-1-abcdef", "");  // process 1 lives: its save is left alone
    pid_t child = fork();
    if (child == 0) {
        CAtomicFile::s_beforeRename = [](const char*) { _exit(0); };
        CAtomicFile file(dir.Path("show.cue"));
        file.Commit();
        _exit(1);
    }
    waitpid(child, nullptr, 0);
    auto saves = [&dir] {
        glob_t found{};
        glob(dir.Path("*.glimmerbox-save-*").c_str(), 0, nullptr, &found);
        std::vector<std::string> names(found.gl_pathv, found.gl_pathv + found.gl_pathc);
        globfree(&found);
        return names;
    };
    ASSERT_EQ(saves().size(), 2u);
    EXPECT_EQ(saves()[1].rfind(dir.Path("show.cue.glimmerbox-save-" + std::to_string(child) + "-"), 0), 0u);
    CScriptedOperator person;
    CShowApp app(&person);
    EXPECT_EQ(saves(), std::vector<std::string>{dir.Path("show.cue.glimmerbox-save-1-abcdef")});
    EXPECT_EQ(dir.Read("show.cue"), "old\n");
}

}  // namespace
