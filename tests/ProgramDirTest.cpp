// The program directory is never one that another user owns or can write to.
#include "document/ProgramDir.h"
#include "tests/ChildRun.h"
#include "tests/FileTestSupport.h"

#include <pwd.h>
#include <sys/stat.h>

namespace {

TEST(ProgramDirTest, ADirectoryOthersControlIsRefusedWithTheReason)
{
    const struct {
        const char* what;
        mode_t mode;
        uid_t owner;
        gid_t group;
        const char* refusal;  // "" when the directory is used
    } cases[] = {
        {"own, 0755", 0755, 0, 0, ""},
        {"own, group-writable by own group", 0775, 0, 0, ""},
        {"another user's", 0755, kNobody, 0, "it belongs to another user (uid 65534)"},
        {"writable by everyone", 0777, 0, 0, "other users can write to it"},
        {"sticky and writable by everyone", 01777, 0, 0, "other users can write to it"},
        {"writable by another group", 0775, 0, kNobody, "the group 65534 can write to it"},
    };
    if (geteuid() != 0)
        GTEST_SKIP() << "giving directories to other users needs root";
    CTempProgramDir temp;
    std::string dir = temp.Path("home");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        mkdir(dir.c_str(), 0700);
        ASSERT_EQ(chown(dir.c_str(), c.owner, c.group), 0);
        chmod(dir.c_str(), c.mode);
        setenv("GLIMMERBOX_HOME", dir.c_str(), 1);
        std::string why;
        std::string used = ProgramDir(&why);
        if (c.refusal[0] == '\0') {
            EXPECT_EQ(used, dir);
            EXPECT_EQ(ProgramPath("colors.txt"), dir + "/colors.txt");
        } else {
            EXPECT_EQ(used, "");
            EXPECT_EQ(why, "The program directory " + dir + " cannot be used: " + c.refusal);
            EXPECT_EQ(ProgramPath("colors.txt"), "");
        }
        rmdir(dir.c_str());
    }
}

TEST(ProgramDirTest, WithoutHomeTheHomeComesFromThePasswordDatabase)
{
    // The child changes its own environment only.
    std::string why = InChild(
        [] {
            unsetenv("GLIMMERBOX_HOME");
            unsetenv("HOME");
            std::string refusal;
            std::string used = ProgramDir(&refusal);
            return used.empty() ? refusal : used;
        },
        true);
    if (why == kNoUnprivilegedUser)
        GTEST_SKIP() << "cannot run as uid 65534 here";
    const passwd* nobody = getpwuid(kNobody);
    ASSERT_NE(nobody, nullptr);
    EXPECT_NE(why.find(std::string(nobody->pw_dir) + "/GlimmerboxPlus"), std::string::npos) << why;
}

}  // namespace
