// The cue sheet's entries in the console's Configuration menu and the cue editor's
// File menu: the console prints while the show plays on, the editor prints the
// list as it stands, edits included.

#include "cuesheet/CueSheetMenu.h"
#include "tests/ui/ConsoleFixture.h"
#include "tests/ui/CueEditFixture.h"
#include "tests/ui/PdfReadBack.h"

#include <QAction>
#include <regex>

namespace {

template <class Screen>
QAction* Entry(Screen& screen, const char* id, const char* text)
{
    auto* action = screen.template findChild<QAction*>(id);
    EXPECT_NE(action, nullptr) << id;
    if (action != nullptr) {
        EXPECT_EQ(action->text(), text);
    }
    return action;
}

TEST_F(ConsoleTest, SheetFromTheConfigurationMenuLeavesTheShowPlaying)
{
    WriteShow(4);
    Open();
    ASSERT_TRUE(console->Loaded());
    Entry(*console, kPrintSheetId, "&Print Cue Sheet...");
    Click("1006");
    ASSERT_TRUE(doc->m_running);
    Ticks(2);
    person.files.push_back(dir.Path("tonight.pdf"));
    Entry(*console, kExportSheetId, "E&xport Cue Sheet as PDF...")->trigger();
    EXPECT_EQ(person.dialogDirs.back(), dir.Path("show.pdf"));
    EXPECT_TRUE(doc->m_running);
    EXPECT_EQ(doc->m_currentCue, 1);
    const std::string text = pdf_test::Text(dir.Path("tonight.pdf"));
    for (int cue = 1; cue <= 4; ++cue)
        EXPECT_TRUE(std::regex_search(text, std::regex("\\n\\s*" + std::to_string(cue) + "\\s+Cue " +
                                                       std::to_string(cue) + "\\s")))
            << text;
    Ticks(1);
    EXPECT_TRUE(person.shown.empty()) << person.Transcript();
}

TEST_F(CueEditTest, SheetFromTheFileMenuShowsTheListAsEdited)
{
    Cues(3);
    std::snprintf(doc->m_cueFileName, kFileNameSize, "%s", "list.cue");
    Open(2);
    ASSERT_TRUE(doc->RenameCue(2, "Renamed Here"));  // as the name box does
    Entry(*editor, kPrintSheetId, "&Print Cue Sheet...");
    person.files.push_back(dir.Path("list.pdf"));
    Entry(*editor, kExportSheetId, "E&xport Cue Sheet as PDF...")->trigger();
    const std::string text = pdf_test::Text(dir.Path("list.pdf"));
    EXPECT_TRUE(std::regex_search(text, std::regex("\\n\\s*1\\s+Sample 1\\s[^]*\\n\\s*2\\s+Renamed Here\\s[^]*"
                                                   "\\n\\s*3\\s+Sample 3\\s")))
        << text;
}

}  // namespace
