// Records beyond the tables are told at load, and the whole file is backed up
// before the first save that would drop them.
#include "tests/FileTestSupport.h"

#include <cstring>
#include <functional>

namespace {

using OverfullFile = FileTest;

TEST_F(OverfullFile, LeftOutRecordsAreToldAndKeptInABackup)
{
    const struct {
        const char* name;
        const char* kind;
        int capacity;
        std::function<std::string(int)> line;
        const char* records;
        int headerLines;
    } cases[] = {
        {"default.B18", "chase", kStepRecords - 1,
         [](int i) { return "Big|" + std::to_string(i % 100 + 1) + "|t|1|\n"; }, "records", 0},
        {"show.cue", "cue", kCueSlots - 1, [](int i) { return "Cue " + std::to_string(i) + "|C|1|\n"; }, "cues", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CTempProgramDir fresh;
        auto show = std::make_unique<CShowData>();
        CScriptedOperator told;
        show->m_operator = &told;
        std::strcpy(show->m_chaseFileName, "default.B18");
        std::strcpy(show->m_cueFileName, "show.cue");
        std::string file;
        for (int i = 0; i < c.capacity + 3; ++i)
            file += c.line(i);
        fresh.Write(c.name, file);
        fresh.Write(std::string(c.name) + ".bak", "an older backup");

        show->LoadFile(c.kind);
        ASSERT_EQ(told.shown.size(), 1u);
        EXPECT_EQ(told.shown[0].caption, "NOTICE");
        EXPECT_EQ(told.shown[0].text, fresh.Path(c.name) + " holds 3 more " + c.records + " than the " +
                                          std::to_string(c.capacity) + " the console can keep; they were left out.\n" +
                                          "The whole file will be kept as a backup before it is next saved.");
        show->SaveFile(c.kind);
        // An older backup is never replaced.
        EXPECT_EQ(fresh.Read(std::string(c.name) + ".bak"), "an older backup");
        EXPECT_EQ(fresh.Read(std::string(c.name) + ".bak2"), file);
        ASSERT_EQ(told.shown.size(), 2u);
        EXPECT_EQ(told.shown[1].text, fresh.Path(c.name) + " was saved without the 3 " + c.records +
                                          " it could not hold.\nThe whole previous file is kept as " +
                                          fresh.Path(c.name) + ".bak2.");
        std::string saved = fresh.Read(c.name);
        EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), c.capacity + c.headerLines);
        // What fits loads and saves again without a word or another backup.
        show->LoadFile(c.kind);
        show->SaveFile(c.kind);
        EXPECT_EQ(told.shown.size(), 2u);
        EXPECT_FALSE(fresh.Exists(std::string(c.name) + ".bak3"));
    }
}

}  // namespace
