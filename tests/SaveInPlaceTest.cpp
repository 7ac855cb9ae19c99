// A save replaces the file's contents only: its permissions stay, a symbolic
// link stays a link to the file it names, and the temporary file says what it is.
#include "document/AtomicFile.h"
#include "tests/FileTestSupport.h"

#include <cstring>
#include <functional>
#include <sys/stat.h>

namespace {

std::string g_tempPath;

class SaveInPlace : public FileTest {
protected:
    SaveInPlace()
    {
        std::strcpy(doc->m_chaseFileName, "default.B18");
        mkdir(dir.Path("shows").c_str(), 0755);
    }
    ~SaveInPlace() override { CAtomicFile::s_beforeRename = nullptr; }
    mode_t ModeOf(const std::string& name) const
    {
        struct stat st {};
        stat(dir.Path(name).c_str(), &st);
        return st.st_mode & 07777;
    }
};

TEST_F(SaveInPlace, ModeAndLinksSurviveASave)
{
    const struct {
        const char* what;
        std::function<void(const CTempProgramDir&)> before;
        mode_t umask;
        const char* target;  // the file that must hold the saved library
        mode_t mode;
    } cases[] = {
        {"mode 0640 kept", [](const CTempProgramDir& d) { d.Write("default.B18", "x"), chmod(d.Path("default.B18").c_str(), 0640); },
         022, "default.B18", 0640},
        {"mode 0604 kept whatever the umask", [](const CTempProgramDir& d) {
             d.Write("default.B18", "x"), chmod(d.Path("default.B18").c_str(), 0604);
         }, 077, "default.B18", 0604},
        {"new file follows umask 027", [](const CTempProgramDir&) {}, 027, "default.B18", 0640},
        {"new file follows umask 002", [](const CTempProgramDir&) {}, 002, "default.B18", 0664},
        {"relative link", [](const CTempProgramDir& d) {
             d.Write("shows/lib.B18", "x"), symlink("shows/lib.B18", d.Path("default.B18").c_str());
         }, 022, "shows/lib.B18", 0644},
        {"dangling link", [](const CTempProgramDir& d) { symlink("shows/new.B18", d.Path("default.B18").c_str()); },
         022, "shows/new.B18", 0644},
        {"chain of links", [](const CTempProgramDir& d) {
             d.Write("shows/lib.B18", "x"), chmod(d.Path("shows/lib.B18").c_str(), 0600);
             symlink(d.Path("shows/lib.B18").c_str(), d.Path("shows/middle").c_str());
             symlink("shows/middle", d.Path("default.B18").c_str());
         }, 022, "shows/lib.B18", 0600},
    };
    CAtomicFile::s_beforeRename = [](const char* temp) { g_tempPath = temp; };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const char* name : {"default.B18", "shows/lib.B18", "shows/new.B18", "shows/middle"})
            unlink(dir.Path(name).c_str());
        c.before(dir);
        mode_t old = umask(c.umask);
        std::strcpy(doc->m_stepChase[1], "Saved");
        doc->m_stepNumber[1] = 1;
        doc->SaveFile("chase");
        umask(old);
        EXPECT_EQ(dir.Read(c.target).substr(0, 8), "Saved|1|");
        EXPECT_EQ(ModeOf(c.target), c.mode);
        struct stat st {};
        lstat(dir.Path("default.B18").c_str(), &st);
        EXPECT_EQ(S_ISLNK(st.st_mode), std::strcmp(c.target, "default.B18") != 0);
        // The temporary file sits beside the file it replaces and names the saving process.
        EXPECT_EQ(g_tempPath.substr(0, g_tempPath.size() - 6),
                  dir.Path(c.target) + ".glimmerbox-save-" + std::to_string(getpid()) + "-");
        EXPECT_TRUE(person.shown.empty());
    }
}

}  // namespace
