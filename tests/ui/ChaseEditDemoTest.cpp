// The demo show's chases edited on the screen, saved by the console's close, and
// played changed when the console opens the show again.
#include "app/ShowApp.h"
#include "chaseedit/ChaseEditDlg.h"
#include "tests/ui/ConsoleFixture.h"

namespace {

using ChaseEditDemoTest = ConsoleTest;

TEST_F(ChaseEditDemoTest, AnEditedChaseIsSavedAndPlaysChanged)
{
    CopyDemo();
    InstallSprites();
    Open();
    ASSERT_TRUE(console->Loaded());
    {
        CChaseEditDlg editor(*doc, console.get());
        std::snprintf(editor.m_chaseName, kNameSize, "Sweep");
        std::snprintf(doc->m_text, sizeof doc->m_text, "Sweep");
        editor.show();
        ASSERT_EQ(editor.findChild<QLineEdit*>("1181")->text(), "1 of 18");
        editor.findChild<QPushButton*>("1207")->click();  // tier 18, column 1 of step 1
        editor.findChild<QPushButton*>("1186")->click();  // a copy of step 1 behind it
        EXPECT_EQ(editor.findChild<QLineEdit*>("1181")->text(), "1 of 19");
        editor.close();
    }
    console->close();
    ASSERT_NE(dir.Read("default.B18").find("Sweep|19|"), std::string::npos);

    doc = std::make_unique<CShowData>();
    doc->m_operator = &person;
    person.files.push_back(dir.Path("default.cue"));
    Open();
    Click("1006");
    ASSERT_STREQ(doc->m_cueChase[2], "Sweep");
    doc->StartCue(2);
    EXPECT_EQ(doc->m_chaseStepCount, 19);
    // Steps 1 and 2 carry the new lamp, step 3 (the old step 2) does not; the cue's
    // chase speed of 1 takes a step every second tick.
    for (int lit : {1, 1, 0}) {
        EXPECT_EQ(doc->m_stepTierLamps[doc->CurrentStepRecord()][17][0], lit) << doc->m_chaseStep;
        Ticks(2);
    }
}

}  // namespace
