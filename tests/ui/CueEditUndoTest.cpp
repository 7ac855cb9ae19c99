// Undo and redo in the cue edit screen: the keys wherever the focus is, the Edit
// menu's texts, one step per gesture, the screen showing what was restored, and the
// history outliving the screen.
#include "tests/ui/CueEditFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QSlider>
#include <QToolButton>
#include <cstring>
#include <random>

namespace {

constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;

class CueEditUndo : public CueEditTest {
protected:
    // The Edit menu's two items as the operator sees them when it opens.
    std::pair<QString, QString> EditMenu() const
    {
        QMenu* edit = nullptr;
        for (QMenu* menu : editor->findChildren<QMenu*>())
            if (menu->title() == "&Edit")
                edit = menu;
        edit->popup(QPoint());
        edit->hide();
        auto shown = [&](const char* id) {
            const QAction* action = editor->findChild<QAction*>(id);
            return action->isEnabled() ? action->text() : "greyed " + action->text();
        };
        return {shown("32779"), shown("32780")};
    }
    void Press(const char* focus, Qt::Key key, Qt::KeyboardModifiers held = kCtrl)
    {
        QWidget* target = Control<QWidget>(focus);
        target->setFocus();
        QTest::keyClick(target, key, held);
    }
    std::string Saved()
    {
        doc->SaveFile("cue");
        return dir.Read("show.cue");
    }
};

TEST_F(CueEditUndo, KeysUndoAndRedoWhateverHasTheFocusAndTheMenuSaysWhat)
{
    Cues(3);
    Open(2);
    EXPECT_EQ(EditMenu(), std::make_pair(QString("greyed &Undo\tCtrl+Z"), QString("greyed &Redo\tCtrl+Y")));
    Select({1});
    Click("1015");
    struct Step {
        const char* focus;
        Qt::Key key;
        Qt::KeyboardModifiers held;
        std::vector<int> cues;
        const char* undo;
        const char* redo;
    };
    const Step steps[] = {
        {"1011", Qt::Key_Z, kCtrl, {1, 2, 3}, "greyed &Undo\tCtrl+Z", "&Redo Delete Cue 2\tCtrl+Y"},
        {"1041", Qt::Key_Y, kCtrl, {1, 3, -1}, "&Undo Delete Cue 2\tCtrl+Z", "greyed &Redo\tCtrl+Y"},
        {"1009", Qt::Key_Z, kCtrl, {1, 2, 3}, "greyed &Undo\tCtrl+Z", "&Redo Delete Cue 2\tCtrl+Y"},
        {"1194", Qt::Key_Z, kCtrl | Qt::ShiftModifier, {1, 3, -1}, "&Undo Delete Cue 2\tCtrl+Z",
         "greyed &Redo\tCtrl+Y"},
        {"1011", Qt::Key_Y, kCtrl, {1, 3, -1}, "&Undo Delete Cue 2\tCtrl+Z", "greyed &Redo\tCtrl+Y"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.focus);
        Press(s.focus, s.key, s.held);
        EXPECT_EQ(Slots(3), s.cues);
        // The restored cue is selected with its panel; a redone delete leaves none.
        const bool restored = s.cues[1] == 2;
        EXPECT_EQ(PanelShown(), restored);
        EXPECT_EQ(Box("1009")->text(), restored ? "Sample 2" : "");
        EXPECT_EQ(List("1011")->selectedItems().size(), restored ? 1 : 0);
        EXPECT_EQ(EditMenu(), std::make_pair(QString(s.undo), QString(s.redo)));
    }
    editor->findChild<QAction*>("32779")->trigger();
    EXPECT_EQ(Slots(3), (std::vector<int>{1, 2, 3}));
    editor->close();  // the history lives with the console, not the screen
    Open(0);
    EXPECT_EQ(EditMenu().second, "&Redo Delete Cue 2\tCtrl+Y");
    Press("1011", Qt::Key_Y);
    EXPECT_EQ(Slots(3), (std::vector<int>{1, 3, -1}));
}

// A name typed letter by letter, a slider dragged and released and typed digits are
// one step each; each click of an arrow is one.
TEST_F(CueEditUndo, EachGestureIsOneStepAndItsUndoShowsAtOnce)
{
    Cues(3);
    Open(2);
    QLineEdit* name = Box("1009");
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, "Finale");
    QTest::keyClick(name, Qt::Key_Return);
    QSlider* star = Control<QSlider>("1041");
    star->setSliderDown(true);
    for (int position : {60, 40, 20})
        star->setValue(position);
    star->setSliderDown(false);
    for (int click = 0; click < 2; ++click)
        Control<QWidget>("1050")->findChild<QToolButton*>("up")->click();
    Box("1194")->setFocus();
    Box("1194")->selectAll();
    QTest::keyClicks(Box("1194"), "12");
    Control<QCheckBox>("1053")->click();
    QSlider* chest = Control<QSlider>("1047");  // dragged and brought back: no change, no step
    chest->setSliderDown(true);
    for (int position : {0, chest->value()})
        chest->setValue(position);
    chest->setSliderDown(false);
    EXPECT_EQ(EditMenu().first, "&Undo Direction of Cue 2\tCtrl+Z");
    const char* const undone[] = {"Active Time of Cue 2", "Fade Time of Cue 2", "Fade Time of Cue 2",
                                  "Star Level of Cue 2", "Rename Cue 2"};
    for (const char* text : undone) {
        Press("1011", Qt::Key_Z);
        EXPECT_EQ(EditMenu().first, QString("&Undo %1\tCtrl+Z").arg(text));
    }
    Press("1011", Qt::Key_Z);
    EXPECT_EQ(EditMenu().first, "greyed &Undo\tCtrl+Z");
    EXPECT_EQ(cue_samples::Sample(*doc, 2), 2);
    EXPECT_EQ(List("1011")->item(1)->text(), "2 Sample 2");
    EXPECT_EQ(name->text(), "Sample 2");
    EXPECT_EQ(star->value(), 100 - doc->m_cueLevel[kStar][2]);
    EXPECT_EQ(Box("1049")->text(), QString::number(doc->m_cueFadeTime[2]));
    EXPECT_EQ(Control<QCheckBox>("1053")->isChecked(), !doc->m_cueForward[2]);
}

// Whatever the operator does on the screen, undoing all of it gives back what a save
// wrote before, and redoing all of it what a save wrote after.
TEST_F(CueEditUndo, RandomScreenEditsUndoneAndRedoneGiveBackTheSavedBytes)
{
    Cues(12);
    std::strcpy(doc->m_cueChase[4], "Gone");
    std::strcpy(doc->m_cueFileName, "show.cue");
    const std::string before = Saved();
    Open(3);
    std::mt19937 random(13);
    auto pick = [&](int lowest, int highest) { return std::uniform_int_distribution<int>(lowest, highest)(random); };
    auto row = [&] { return pick(0, List("1011")->count() - 1); };
    const std::function<void()> edits[] = {
        [&] { Select({row()}); },
        [&] { Select({row()}); Click("1014"); },
        [&] { Select({row()}); Click("1013"); },
        [&] { Select({row()}); Click("1015"); },
        [&] { Box("1009")->setFocus(); QTest::keyClicks(Box("1009"), "ab"); Click("1058"); },
        [&] { Control<QSlider>("1025")->setValue(pick(0, 100)); },
        [&] { Control<QWidget>("1056")->findChild<QToolButton*>(pick(0, 1) ? "up" : "down")->click(); },
        [&] { Control<QCheckBox>("1053")->click(); },
        [&] { List("1191")->setCurrentRow(pick(0, 5)); },
        [&] { Press("1194", Qt::Key_3, Qt::NoModifier); },
        [&] { Press("1011", Qt::Key_Z); },
    };
    for (int i = 0; i < 120; ++i)
        if (List("1011")->count() > 0)
            edits[pick(0, std::size(edits) - 1)]();
    Control<QCheckBox>("1053")->click();  // a last change leaves nothing to redo
    const std::string after = Saved();
    int undone = 0;
    for (; undone < 500 && history.CanUndo(); ++undone)  // bounded: an undo that made a change would never end
        Press("1011", Qt::Key_Z);
    EXPECT_GT(undone, 30);
    EXPECT_EQ(Saved(), before);
    while (history.CanRedo())
        Press("1041", Qt::Key_Y);
    EXPECT_EQ(Saved(), after);
}

}  // namespace
