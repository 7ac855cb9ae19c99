// A save that fails tells the operator which file and why, and leaves the old file.
#include "tests/ChildRun.h"
#include "tests/FileTestSupport.h"
#include "tests/ShowFileKinds.h"

#include <sys/stat.h>

namespace {

using FailedSave = FileTest;

TEST_F(FailedSave, EveryFileSaysWhichAndWhyAndKeepsTheOldOne)
{
    const struct {
        const char* what;
        bool asNobody;
        long fileLimit;
        const char* reason;
    } failures[] = {
        {"full disk (file size limit)", false, 4, "File too large"},
        {"read-only directory", true, 0, "Permission denied"},
    };
    NameShowFiles(*doc);
    for (const auto& failure : failures) {
        // The directory belongs to whoever saves, so only the failure stops the save.
        if (failure.asNobody && chown(dir.Path("").c_str(), kNobody, kNobody) != 0)
            GTEST_SKIP() << "the test directory cannot be given to uid 65534 (not root)";
        chmod(dir.Path("").c_str(), failure.asNobody ? 0555 : 0755);
        for (const ShowFileKind& file : kShowFileKinds) {
            SCOPED_TRACE(std::string(file.name) + ", " + failure.what);
            dir.Write(file.name, "before\n");
            std::string shown = InChild(
                [&] {
                    file.save(*doc);
                    return Shown(person);
                },
                failure.asNobody, failure.fileLimit);
            if (shown == kNoUnprivilegedUser)
                GTEST_SKIP() << "cannot run as uid 65534 here";
            EXPECT_EQ(shown, std::string("ERROR: ") + file.headline + "\n" + dir.Path(file.name) + ": " +
                                 failure.reason + ".\nThe file on disk was not changed.\n");
            EXPECT_EQ(dir.Read(file.name), "before\n");
        }
    }
    chmod(dir.Path("").c_str(), 0755);
}

}  // namespace
