// A file that is there but cannot be read is reported at load, never blocks the
// start, and is never saved over.
#include "tests/ChildRun.h"
#include "tests/FileTestSupport.h"
#include "tests/ShowFileKinds.h"

#include <sys/stat.h>

namespace {

struct StandIn {
    const char* what;
    std::function<void(const std::string& path)> make;
    const char* reason;
};

const StandIn kStandIns[] = {
    {"a directory", [](const std::string& p) { mkdir(p.c_str(), 0755); }, "a directory, not a regular file"},
    {"a named pipe", [](const std::string& p) { mkfifo(p.c_str(), 0644); }, "a named pipe, not a regular file"},
    {"a link loop", [](const std::string& p) { symlink(p.c_str(), p.c_str()); }, "Too many levels of symbolic links"},
    {"a link to a device", [](const std::string& p) { symlink("/dev/zero", p.c_str()); },
     "a device, not a regular file"},
    {"a read error", [](const std::string& p) { symlink("/proc/self/mem", p.c_str()); }, "Input/output error"},
    {"a huge file", [](const std::string& p) { std::ofstream(p) << "x", truncate(p.c_str(), 65 << 20); },
     "larger than 64 MB"},
};

struct stat Lstat(const std::string& path)
{
    struct stat st {};
    lstat(path.c_str(), &st);
    return st;
}

using UnreadableFile = FileTest;

TEST_F(UnreadableFile, IsReportedAtLoadAndLeftAsItIsBySave)
{
    for (const ShowFileKind& file : kShowFileKinds) {
        for (const StandIn& standIn : kStandIns) {
            SCOPED_TRACE(std::string(file.name) + " as " + standIn.what);
            CTempProgramDir fresh;
            auto show = std::make_unique<CShowData>();
            CScriptedOperator told;
            show->m_operator = &told;
            NameShowFiles(*show);
            std::string path = fresh.Path(file.name);
            standIn.make(path);
            struct stat before = Lstat(path);
            file.load(*show);
            EXPECT_TRUE((*show.*file.check).unreadable);
            EXPECT_STREQ((*show.*file.check).why, standIn.reason);
            file.save(*show);
            struct stat after = Lstat(path);
            EXPECT_EQ(after.st_mode, before.st_mode);
            EXPECT_EQ(after.st_ino, before.st_ino);
            EXPECT_EQ(after.st_size, before.st_size);
            // The port configuration is read before anyone is at the console; start-up reports it.
            std::string cannotRead = "ERROR: Cannot read " + path + " (" + standIn.reason + ").";
            EXPECT_EQ(Shown(told).find(cannotRead) == 0, file.check != &CShowData::m_portCheck) << Shown(told);
            EXPECT_NE(Shown(told).find(std::string("ERROR: ") + file.headline + "\n" + path +
                                       ": it could not be read when it was loaded (" + standIn.reason +
                                       "), so it was not saved over."),
                      std::string::npos)
                << Shown(told);
        }
    }
}

TEST_F(UnreadableFile, WithoutPermissionItIsReportedAndNotSavedOver)
{
    // The program directory is the unprivileged user's; the library is root's alone.
    NameShowFiles(*doc);
    dir.Write("default.B18", "Root|1|t|1|\n");
    chmod(dir.Path("default.B18").c_str(), 0600);
    if (chown(dir.Path("").c_str(), kNobody, kNobody) != 0)
        GTEST_SKIP() << "the test directory cannot be given to uid 65534 (not root)";
    std::string shown = InChild(
        [this] {
            doc->LoadFile("chase");
            std::strcpy(doc->m_stepChase[1], "Mine");
            doc->m_stepNumber[1] = 1;
            doc->SaveFile("chase");
            return Shown(person);
        },
        true);
    if (shown == kNoUnprivilegedUser)
        GTEST_SKIP() << "cannot run as uid 65534 here";
    EXPECT_NE(shown.find("ERROR: Cannot read " + dir.Path("default.B18") + " (Permission denied)."),
              std::string::npos) << shown;
    EXPECT_NE(shown.find("so it was not saved over."), std::string::npos) << shown;
    EXPECT_EQ(dir.Read("default.B18"), "Root|1|t|1|\n");
}

}  // namespace
