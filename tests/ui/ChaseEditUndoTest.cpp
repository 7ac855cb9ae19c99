// Undo and redo in the chase edit screen, and across it and the cue editor: each
// change taken back shows its chase on its step at once, and undoing everything
// gives back the very library that was loaded.
#include "cueedit/CueEditDlg.h"
#include "tests/CueSamples.h"
#include "tests/ui/ChaseEditFixture.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>
#include <vector>

using namespace chase_test;

namespace {

class ChaseEditUndo : public ChaseEditTest {
protected:
    ChaseEditUndo()
    {
        doc->m_history = &history;
    }
    // What the screen shows: the chosen entry, the counter, the name box, a lamp
    // picture, and whether the editing controls are there at all.
    QString Screen() const
    {
        const bool editing = !Control<QWidget>("1181")->isHidden();
        return Selected() + "|" + (editing ? Counter() + "|" + Control<QLineEdit>("1056")->text() : "-") + "|" +
               Picture("1087").name() + "|" + Entries().join(",");
    }
    void Press(const char* focus, Qt::Key key, Qt::KeyboardModifiers held = Qt::ControlModifier)
    {
        QWidget* target = Control<QWidget>(focus);
        target->setFocus();
        QTest::keyClick(target, key, held);
    }
    std::string Library()
    {
        SaveLibraryCopy(*doc, "show.lib");
        return dir.Read("show.lib");
    }

    CHistory history;
};

TEST_F(ChaseEditUndo, EveryChaseEditIsUndoneAndRedoneShowingItsChaseOnItsStep)
{
    AddChase(*doc, "Sweep", 3, 1);
    AddChase(*doc, "Rain", 2, 10);
    const std::string library = Library();
    Open("Sweep");
    Click("1187");  // on step 2
    const std::vector<std::function<void()>> edits = {
        [&] { Click("1087"); },                         // a lamp of tier 5
        [&] { Press("1055", Qt::Key_F8, {}); },         // all lights on
        [&] { Click("1186"); },                         // a step inserted
        [&] { Click("1189"); },                         // and deleted again
        [&] {                                           // a name typed letter by letter
            QLineEdit* name = Control<QLineEdit>("1056");
            name->setFocus();
            name->selectAll();
            QTest::keyClicks(name, "Glow");
            QTest::keyClick(name, Qt::Key_Return);
        },
        [&] { Click("1182"); },  // a new chase
        [&] { Click("1183"); },  // a copy of it
        [&] { Click("1188"); },  // the copy deleted
        [&] { Press("1055", Qt::Key_F9, {}); },  // no chase on display: no change, no step
    };
    std::vector<QString> screens{Screen()};
    for (const auto& edit : edits) {
        edit();
        screens.push_back(Screen());
    }
    EXPECT_EQ(history.Steps(), edits.size() - 1);
    const char* const focus[] = {"1055", "1056", "1187"};
    for (std::size_t k = edits.size() - 1; k-- > 0;) {
        SCOPED_TRACE(k);
        Press(focus[k % 3], Qt::Key_Z);
        EXPECT_EQ(Screen(), screens[k]);
    }
    EXPECT_EQ(Library(), library);
    for (std::size_t k = 1; k < edits.size(); ++k) {
        SCOPED_TRACE(k);
        if (k % 2 == 0)
            Press(focus[k % 3], Qt::Key_Y);
        else
            Press(focus[k % 3], Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(Screen(), screens[k]);
    }
}

// The chase editor opens from the cue editor's panel; a chase deleted there makes
// the cue fall back to another chase, and one undo in the cue editor brings back
// both. The cue editor's Undo also reaches steps made in the chase editor.
TEST_F(ChaseEditUndo, AChaseDeletedUnderACueComesBackWithTheCuesChase)
{
    AddChase(*doc, "Sweep", 3, 1);
    cue_samples::Fill(*doc, 1, 1);
    cue_samples::Fill(*doc, 2, 2);
    std::strcpy(doc->m_cueChase[2], "Sweep");
    std::strcpy(doc->m_cueChase[1], "# none");
    std::strcpy(doc->m_cueFileName, "show.cue");
    doc->SaveFile("cue");
    const std::string cues = dir.Read("show.cue");
    const std::string library = Library();
    doc->m_currentCue = 2;
    CCueEditDlg cueEditor(*doc);
    cueEditor.m_editCue = 2;
    cueEditor.show();
    QTimer::singleShot(0, [&] {
        auto* chases = qobject_cast<CChaseEditDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(chases, nullptr);
        chases->findChild<QPushButton*>("1087")->click();
        chases->findChild<QPushButton*>("1188")->click();
        chases->close();
    });
    cueEditor.findChild<QPushButton*>("1054")->click();
    EXPECT_STREQ(doc->m_cueChase[2], "# none");
    auto* undo = cueEditor.findChild<QAction*>("32779");
    QWidget* cueList = cueEditor.findChild<QWidget*>("1011");
    cueList->setFocus();
    QTest::keyClick(cueList, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_STREQ(doc->m_cueChase[2], "Sweep");
    EXPECT_EQ(cueEditor.findChild<QLineEdit*>("1048")->text(), "Sweep");
    const QListWidgetItem* chosen = cueEditor.findChild<QListWidget*>("1191")->currentItem();
    EXPECT_EQ(chosen != nullptr ? chosen->text() : QString(), "Sweep");
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), "&Undo Lamp 1 of Tier 5\tCtrl+Z");
    QTest::keyClick(cueList, Qt::Key_Z, Qt::ControlModifier);
    doc->SaveFile("cue");
    EXPECT_EQ(dir.Read("show.cue"), cues);
    EXPECT_EQ(Library(), library);
    EXPECT_FALSE(history.CanUndo());
}

}  // namespace
