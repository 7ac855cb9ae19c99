// Each kind of file fault, put to every file of the console as the console
// loads it at open and saves it at close, in a child process with a fresh document.
#include "tests/ChildRun.h"
#include "tests/FileTestSupport.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <sys/stat.h>

namespace {

using Steps = std::function<void(CShowData&)>;

const struct FileKind {
    const char* name;
    const char* headline;  // first line of its failed-save message
    Steps load, save;
} kFiles[] = {
    {"colors.txt", "Failed to open Config File", [](CShowData& d) { d.LoadLayout(); },
     [](CShowData& d) { d.SaveLayout(); }},
    {"default.B18", "Could not save the chase library", [](CShowData& d) { d.LoadFile("chase"); },
     [](CShowData& d) {
         std::strcpy(d.m_stepChase[1], "Kept");  // something to save
         d.m_stepNumber[1] = 1;
         d.SaveFile("chase");
     }},
    {"show.cue", "Could not save the cue list", [](CShowData& d) { d.LoadFile("cue"); },
     [](CShowData& d) { d.SaveFile("cue"); }},
    // Read before anyone is at the console: the start-up tells it (tests/ui/ShowAppTest.cpp).
    {"Glimmerbox.cfg", "Unable to Modify Config File", [](CShowData& d) { d.ReadPortConfig(1); },
     [](CShowData& d) { d.WritePortConfig(); }},
};

// What the operator was shown while `steps` ran.
std::string RunShow(const Steps& steps, bool asNobody = false, long fileLimit = 0)
{
    return InChild([&steps] {
        auto doc = std::make_unique<CShowData>();
        CScriptedOperator person;
        doc->m_operator = &person;
        std::strcpy(doc->m_chaseFileName, "default.B18");
        std::strcpy(doc->m_cueFileName, "show.cue");
        steps(*doc);
        return person.Transcript();
    }, asNobody, fileLimit);
}

struct stat Lstat(const std::string& path)
{
    struct stat st {};
    lstat(path.c_str(), &st);
    return st;
}

TEST(FileFault, UnreadableFilesAreToldAtLoadNeverBlockAndAreNeverSavedOver)
{
    const struct {
        const char* what;
        std::function<void(const std::string&)> make;
        const char* reason;
        bool asNobody;
    } standIns[] = {
        // Each stand-in must be made, or the case would check some other fault.
        {"directory", [](auto& p) { EXPECT_EQ(mkdir(p.c_str(), 0755), 0); }, "a directory, not a regular file", false},
        {"pipe", [](auto& p) { EXPECT_EQ(mkfifo(p.c_str(), 0644), 0); }, "a named pipe, not a regular file", false},
        {"link loop", [](auto& p) { EXPECT_EQ(symlink(p.c_str(), p.c_str()), 0); }, "Too many levels of symbolic links",
         false},
        {"device", [](auto& p) { EXPECT_EQ(symlink("/dev/zero", p.c_str()), 0); }, "a device, not a regular file",
         false},
        {"read error", [](auto& p) { EXPECT_EQ(symlink("/proc/self/mem", p.c_str()), 0); }, "Input/output error",
         false},
        {"huge", [](auto& p) { std::ofstream(p) << "x"; EXPECT_EQ(truncate(p.c_str(), 65 << 20), 0); },
         "larger than 64 MB", false},
        {"root's alone", [](auto& p) { std::ofstream(p) << "x"; EXPECT_EQ(chmod(p.c_str(), 0600), 0); },
         "Permission denied", true},
    };
    for (const FileKind& file : kFiles) {
        for (const auto& standIn : standIns) {
            SCOPED_TRACE(std::string(file.name) + ": " + standIn.what);
            CTempProgramDir dir;
            if (standIn.asNobody && chown(dir.Path("").c_str(), kNobody, kNobody) != 0)
                GTEST_SKIP() << "the program directory cannot be given to uid 65534 (not root)";
            std::string path = dir.Path(file.name);
            standIn.make(path);
            struct stat before = Lstat(path);
            std::string shown = RunShow([&file](CShowData& d) { file.load(d), file.save(d); }, standIn.asNobody);
            if (shown == kNoUnprivilegedUser)
                GTEST_SKIP() << "cannot run as uid 65534 here";
            struct stat after = Lstat(path);
            EXPECT_TRUE(after.st_ino == before.st_ino && after.st_mode == before.st_mode && after.st_size == before.st_size);
            std::string atLoad = "ERROR: Cannot read " + path + " (" + standIn.reason +
                                 ").\nIt is left as it is: nothing will be saved over it.\n";
            EXPECT_EQ(shown, (std::strcmp(file.name, "Glimmerbox.cfg") == 0 ? "" : atLoad) + "ERROR: " +
                                 file.headline + "\n" + path + ": it could not be read when it was loaded (" +
                                 standIn.reason + "), so it was not saved over.\n");
        }
    }
}

TEST(FileFault, FailedSavesSayWhichFileAndWhyAndLeaveTheOldOne)
{
    for (const FileKind& file : kFiles) {
        for (bool readOnlyDir : {false, true}) {
            SCOPED_TRACE(std::string(file.name) + (readOnlyDir ? ": read-only directory" : ": full disk"));
            CTempProgramDir dir;
            dir.Write(file.name, "before\n");
            if (readOnlyDir && (chown(dir.Path("").c_str(), kNobody, kNobody) != 0 || chmod(dir.Path("").c_str(), 0555)))
                GTEST_SKIP() << "the program directory cannot be given to uid 65534 (not root)";
            std::string shown = RunShow(file.save, readOnlyDir, readOnlyDir ? 0 : 4);
            if (shown == kNoUnprivilegedUser)
                GTEST_SKIP() << "cannot run as uid 65534 here";
            EXPECT_EQ(shown, "ERROR: " + std::string(file.headline) + "\n" + dir.Path(file.name) + ": " +
                                 (readOnlyDir ? "Permission denied" : "File too large") +
                                 ".\nThe file on disk was not changed.\n");
            EXPECT_EQ(dir.Read(file.name), "before\n");
        }
    }
}

TEST(FileFault, RecordsBeyondTheTablesAreToldAndTheWholeFileIsBackedUpOnce)
{
    const struct {
        const char* name;
        const char* kind;
        int capacity;
        const char* line;
        const char* records;
        int headerLines;
    } cases[] = {
        {"default.B18", "chase", kStepRecords - 1, "Big|%d|t|1|\n", "records", 0},  // one chase, every step once
        {"show.cue", "cue", kCueSlots - 1, "Cue|C|%d|\n", "cues", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CTempProgramDir dir;
        std::string file;
        char line[64];
        for (int i = 0; i < c.capacity + 3; ++i) {
            std::snprintf(line, sizeof line, c.line, i % c.capacity + 1);
            file += line;
        }
        dir.Write(c.name, file);
        dir.Write(std::string(c.name) + ".bak", "an older backup");
        // The second load and save of what fits says nothing and copies nothing.
        std::string shown = RunShow([&c](CShowData& d) {
            for (int round = 0; round < 2; ++round)
                d.LoadFile(c.kind), d.SaveFile(c.kind);
        });
        std::string path = dir.Path(c.name), records = c.records;
        EXPECT_EQ(shown, "NOTICE: " + path + " holds 3 more " + records + " than the " + std::to_string(c.capacity) +
                             " the console can keep; they were left out.\nThe whole file will be kept as a backup "
                             "before it is next saved.\nNOTICE: " + path + " was saved without the 3 " + records +
                             " it could not hold.\nThe whole previous file is kept as " + path + ".bak2.\n");
        EXPECT_EQ(dir.Read(std::string(c.name) + ".bak"), "an older backup");
        EXPECT_EQ(dir.Read(std::string(c.name) + ".bak2"), file);
        EXPECT_FALSE(dir.Exists(std::string(c.name) + ".bak3"));
        std::string saved = dir.Read(c.name);
        EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), c.capacity + c.headerLines);
    }
}

TEST(FileFault, SavesKeepTheModeAndWriteThroughLinks)
{
    const struct {
        std::function<void(const CTempProgramDir&)> before;
        mode_t umask;
        const char* target;  // what must hold the saved library, with its mode
        mode_t mode;
    } cases[] = {
        {[](auto&) {}, 027, "default.B18", 0640},
        {[](auto& d) {  // a relative link to an absolute one, to a file of mode 0600
             d.Write("shows/lib.B18", "x"), chmod(d.Path("shows/lib.B18").c_str(), 0600);
             EXPECT_EQ(symlink(d.Path("shows/lib.B18").c_str(), d.Path("shows/middle").c_str()), 0);
             EXPECT_EQ(symlink("shows/middle", d.Path("default.B18").c_str()), 0);
         }, 022, "shows/lib.B18", 0600},
        {[](auto& d) { EXPECT_EQ(symlink("shows/new.B18", d.Path("default.B18").c_str()), 0); }, 002, "shows/new.B18",
         0664},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        CTempProgramDir dir;
        mkdir(dir.Path("shows").c_str(), 0755);
        c.before(dir);
        EXPECT_EQ(RunShow([&c](CShowData& d) { umask(c.umask), kFiles[1].save(d); }), "");
        EXPECT_EQ(dir.Read(c.target).substr(0, 7), "Kept|1|");
        struct stat target {};
        stat(dir.Path(c.target).c_str(), &target);
        EXPECT_EQ(target.st_mode & 07777, c.mode);
        EXPECT_EQ(S_ISLNK(Lstat(dir.Path("default.B18")).st_mode), std::strcmp(c.target, "default.B18") != 0);
    }
}

}  // namespace
