#include "document/AtomicFile.h"
#include "tests/FileTestSupport.h"

#include <cstring>
#include <functional>
#include <sys/wait.h>

namespace {

// The child dies between writing the temporary file and renaming it: the
// nearest honest stand-in for a crash or a power cut in the middle of a save.
void DieBeforeRename(const char*)
{
    _exit(42);
}

int SaveInDyingChild(const std::function<void()>& save)
{
    pid_t child = fork();
    if (child == 0) {
        CAtomicFile::s_beforeRename = DieBeforeRename;
        save();
        _exit(0);  // the hook never ran: the save did not reach its rename
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

using AtomicSave = FileTest;

TEST_F(AtomicSave, ACrashDuringASaveLeavesThePreviousFile)
{
    const struct {
        const char* file;
        std::string before;
        std::function<void(CShowData&)> change;
        const char* kind;  // nullptr: the layout
    } cases[] = {
        {"colors.txt", "row|2|1|1|1|1|1|1|\n", [](CShowData& d) { d.m_tierPresent[5] = true; }, nullptr},
        {"default.B02", "Old|1|t|1|\n", [](CShowData& d) {
             std::strcpy(d.m_stepChase[1], "New");
             d.m_stepNumber[1] = 1;
         }, "chase"},
        {"show.cue", "Old|C|1|\n", [](CShowData& d) { std::strcpy(d.m_cueName[1], "New"); }, "cue"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        dir.Write(c.file, c.before);
        std::strcpy(doc->m_chaseFileName, "default.B02");
        std::strcpy(doc->m_cueFileName, "show.cue");
        c.change(*doc);
        int code = SaveInDyingChild([&] {
            if (c.kind == nullptr)
                doc->SaveLayout();
            else
                doc->SaveFile(c.kind);
        });
        EXPECT_EQ(code, 42);
        EXPECT_EQ(dir.Read(c.file), c.before);
        // Without the crash the same save replaces the file.
        doc->m_operator = nullptr;
        if (c.kind == nullptr)
            doc->SaveLayout();
        else
            doc->SaveFile(c.kind);
        doc->m_operator = &person;
        EXPECT_NE(dir.Read(c.file), c.before);
    }
}

}  // namespace
