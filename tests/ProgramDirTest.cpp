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
        mode_t mode;
        uid_t owner;
        gid_t group;
        const char* refusal;  // "" when the directory is used
    } cases[] = {
        {0775, 0, 0, ""},
        {0755, kNobody, 0, "it belongs to another user (uid 65534)"},
        {01777, 0, 0, "other users can write to it"},
        {0775, 0, kNobody, "the group 65534 can write to it"},
    };
    CTempProgramDir temp;
    std::string dir = temp.Path("home");
    setenv("GLIMMERBOX_HOME", dir.c_str(), 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.refusal);
        mkdir(dir.c_str(), c.mode);
        if (chown(dir.c_str(), c.owner, c.group) != 0 || chmod(dir.c_str(), c.mode) != 0)
            GTEST_SKIP() << "giving a directory to another user needs root";
        std::string why;
        EXPECT_EQ(ProgramDir(&why), c.refusal[0] == '\0' ? dir : "");
        EXPECT_EQ(why, c.refusal[0] == '\0' ? "" : "The program directory " + dir + " cannot be used: " + c.refusal);
        EXPECT_EQ(ProgramPath("colors.txt"), c.refusal[0] == '\0' ? dir + "/colors.txt" : "");
        rmdir(dir.c_str());
    }
}

TEST(ProgramDirTest, WithoutHomeTheHomeComesFromThePasswordDatabaseNotTmp)
{
    std::string used = InChild(
        [] {
            unsetenv("GLIMMERBOX_HOME"), unsetenv("HOME");
            std::string why, dir = ProgramDir(&why);
            return dir + why;
        },
        true);
    if (used == kNoUnprivilegedUser)
        GTEST_SKIP() << "cannot run as uid 65534 here";
    const passwd* nobody = getpwuid(kNobody);
    ASSERT_NE(nobody, nullptr);
    EXPECT_NE(used.find(std::string(nobody->pw_dir) + "/GlimmerboxPlus"), std::string::npos) << used;
}

}  // namespace
