// glimmerbox-demo, the installed starter of the demo show: laid out here as the
// package installs it (bin/ beside share/glimmerbox/demo/), with a stand-in console
// that notes the program directory it was given.

#include "tests/FileTestSupport.h"

#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

const fs::path kSource = fs::path(__FILE__).parent_path().parent_path();  // <repo>/tests/.. = <repo>
const char* const kDemoFiles[] = {"colors.txt", "default.B18", "default.cue", "Glimmerbox.cfg"};

class DemoStarterTest : public testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(root.Path("bin"));
        fs::create_directories(root.Path("home"));
        fs::create_directories(root.Path("share/glimmerbox"));
        fs::copy(kSource / "packaging/glimmerbox-demo", root.Path("bin/glimmerbox-demo"));
        fs::copy(kSource / "demo", root.Path("share/glimmerbox/demo"), fs::copy_options::recursive);
        root.Write("bin/glimmerbox", "#!/bin/sh\necho \"$GLIMMERBOX_HOME\" >" + root.Path("console-started") + "\n");
        fs::permissions(root.Path("bin/glimmerbox"), fs::perms::owner_all);
    }

    // Runs the starter with only HOME set (none when `home` is empty); its exit status.
    int Start(const std::string& args, const std::string& home)
    {
        const std::string command = "env -i PATH=/usr/bin:/bin " + (home.empty() ? "" : "HOME=" + home + " ") +
                                    root.Path("bin/glimmerbox-demo") + " " + args + " >" + root.Path("said") +
                                    " 2>&1";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Said() const { return root.Read("said"); }
    std::string Demo(const char* name) const { return root.Read(std::string("share/glimmerbox/demo/") + name); }

    CTempProgramDir root;
};

}  // namespace

TEST_F(DemoStarterTest, FirstStartCopiesTheDemoAndLaterStartsKeepTheOperatorsChanges)
{
    const std::string home = root.Path("home");
    const std::string copy = home + "/GlimmerboxDemo";
    ASSERT_EQ(Start("", home), 0) << Said();
    EXPECT_EQ(root.Read("console-started"), copy + "\n");
    for (const char* name : kDemoFiles)
        EXPECT_EQ(root.Read("home/GlimmerboxDemo/" + std::string(name)), Demo(name)) << name;
    struct stat st {};
    ASSERT_EQ(stat(copy.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & (S_IWGRP | S_IWOTH), 0u) << "the console refuses a directory others can write to";

    // The operator's edits, and a file the operator removed, stay as they are.
    root.Write("home/GlimmerboxDemo/default.cue", "ChaseList_Selected|default.B18|\n");
    fs::remove(copy + "/Glimmerbox.cfg");
    ASSERT_EQ(Start("", home), 0) << Said();
    EXPECT_EQ(root.Read("home/GlimmerboxDemo/default.cue"), "ChaseList_Selected|default.B18|\n");
    EXPECT_FALSE(fs::exists(copy + "/Glimmerbox.cfg"));
    EXPECT_EQ(Said(), "");
}

TEST_F(DemoStarterTest, ADirectoryWithoutAShowGetsWhatIsMissingAndNothingIsReplaced)
{
    fs::create_directories(root.Path("home/mine"));
    root.Write("home/mine/default.cue", "my own cues\n");
    ASSERT_EQ(Start(root.Path("home/mine"), ""), 0) << Said();
    EXPECT_EQ(root.Read("console-started"), root.Path("home/mine") + "\n");
    EXPECT_EQ(root.Read("home/mine/default.cue"), "my own cues\n");
    EXPECT_EQ(root.Read("home/mine/colors.txt"), Demo("colors.txt"));
    EXPECT_EQ(root.Read("home/mine/default.B18"), Demo("default.B18"));
}

TEST_F(DemoStarterTest, CommandLineAnswersWithoutStartingTheConsole)
{
    const struct {
        const char* args;
        std::string home;
        int status;
        const char* said;
    } cases[] = {
        {"--help", "", 0, "usage: glimmerbox-demo [DIRECTORY]\n\nStarts the Glimmerbox console"},
        {"--fresh", "", 2, "glimmerbox-demo: unknown option --fresh\nusage: glimmerbox-demo [DIRECTORY]\n"},
        {"one two", "", 2, "usage: glimmerbox-demo [DIRECTORY]\n"},
        {"", "", 2, "glimmerbox-demo: HOME is not set; name the directory for the demo show\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Start(c.args, c.home), c.status) << c.args;
        EXPECT_EQ(Said().rfind(c.said, 0), 0u) << c.args << ": " << Said();
        EXPECT_FALSE(root.Exists("console-started")) << c.args;
    }
}
