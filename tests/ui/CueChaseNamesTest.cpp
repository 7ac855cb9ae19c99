// The cue panel's chase list after chases are renamed in the chase edit screen and
// the renames are undone in the cue edit screen.
#include "chaseedit/ChaseEditDlg.h"
#include "tests/ui/CueEditFixture.h"

#include <QApplication>
#include <QTimer>
#include <cstring>
#include <functional>

namespace {

class CueChaseNames : public CueEditTest {
protected:
    // Opens the chase edit screen from the panel, renames chase `from` there by
    // typing, and closes it.
    void RenameInChaseEditor(const char* from, const char* to)
    {
        QTimer::singleShot(0, [=] {
            auto* chases = qobject_cast<CChaseEditDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(chases, nullptr);
            auto* list = chases->findChild<QListWidget*>("1055");
            const auto found = list->findItems(from, Qt::MatchExactly | Qt::MatchCaseSensitive);
            ASSERT_EQ(found.size(), 1);
            list->setCurrentItem(found.first());
            auto* name = chases->findChild<QLineEdit*>("1056");
            name->setFocus();
            name->selectAll();
            QTest::keyClicks(name, to);
            chases->close();
        });
        Click("1054");
    }
    void Undo()
    {
        QWidget* focus = List("1011");
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_Z, Qt::ControlModifier);
    }
    // The panel shows `cue` with `chase` in its box and highlighted in its list.
    void ExpectShown(int cue, const char* chase)
    {
        EXPECT_EQ(doc->m_currentCue, cue);
        EXPECT_STREQ(doc->m_cueChase[cue], chase);
        EXPECT_EQ(Box("1048")->text().toStdString(), chase);
        const QList<QListWidgetItem*> lit = List("1191")->selectedItems();
        EXPECT_EQ(lit.size() == 1 ? lit.first()->text().toStdString() : "(none)", chase);
    }
};

// A chase renamed to another's name in other letter case, then Ctrl+Z in the cue edit
// screen: the cue shown fell back from the chase that went, and the undo gave it back
// a chase the list no longer held, so the list highlighted nothing.
TEST_F(CueChaseNames, TheListHighlightsTheCuesOwnChaseThroughCaseOnlyRenamesAndUndo)
{
    Cues(3);
    Chase("Spiral", 1);
    Chase("Wave", 1);
    std::strcpy(doc->m_cueChase[1], "Spiral");
    std::strcpy(doc->m_cueChase[2], "Wave");
    Open(2);
    ExpectShown(2, "Wave");

    RenameInChaseEditor("Wave", "SPIRAL");  // the cue shown falls back with the rename
    ExpectShown(2, "# none");
    Select({0});
    ExpectShown(1, "Spiral");  // not its case twin
    Undo();
    ExpectShown(2, "Wave");

    RenameInChaseEditor("Spiral", "SPIRAL");  // cue 1, not shown, keeps the name that went
    ExpectShown(2, "Wave");
    Select({0});
    ExpectShown(1, "# none");
    Undo();  // the rename and the fall-back it caused, together
    ExpectShown(1, "Spiral");

    // A control-click that takes the highlight away chooses no chase.
    QListWidget* chases = List("1191");
    const QPoint lit = chases->visualItemRect(chases->selectedItems().value(0)).center();
    QTest::mouseClick(chases->viewport(), Qt::LeftButton, Qt::ControlModifier, lit);
    ExpectShown(1, "Spiral");

    std::strcpy(doc->m_cueFileName, "show.cue");
    doc->SaveFile("cue");
    const std::string saved = dir.Read("show.cue");
    EXPECT_NE(saved.find("\nSample 1|Spiral|"), std::string::npos);
    EXPECT_NE(saved.find("\nSample 2|Wave|"), std::string::npos);
    EXPECT_EQ(saved.find("SPIRAL"), std::string::npos);
}

}  // namespace
