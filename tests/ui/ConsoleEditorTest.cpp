// The console opens the cue editor from its edit button and a double click in its cue list.
#include "cueedit/CueEditDlg.h"
#include "tests/ui/ConsoleFixture.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

namespace {

TEST_F(ConsoleTest, EditButtonAndDoubleClickStopTheShowAndOpenTheCueEditor)
{
    WriteShow(4);
    Open();
    struct Case {
        bool doubleClick;
        int row;
        const char* shown;  // the cue the editor opens on
        const char* entry;  // the console's line after the edit
    };
    const Case cases[] = {{false, 2, "3", "3 Renamed"}, {true, 1, "2", "2 Renamed"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        Click("1006");
        CueList()->setCurrentRow(c.row);
        QString shown;
        QTimer::singleShot(0, [&] {
            auto* editor = qobject_cast<CCueEditDlg*>(QApplication::activeModalWidget());
            if (editor == nullptr)
                return;
            shown = editor->findChild<QLineEdit*>("1008")->text();
            auto* name = editor->findChild<QLineEdit*>("1009");
            name->selectAll();
            QTest::keyClicks(name, "Renamed");
            editor->close();
        });
        if (c.doubleClick)
            console->OnCueListDblClk();
        else
            Click("1005");
        EXPECT_FALSE(doc->m_running);
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(CueList()->item(c.row)->text(), c.entry);
        EXPECT_EQ(doc->m_currentCue, 0);
    }
    EXPECT_TRUE(person.shown.empty());
}

}  // namespace
