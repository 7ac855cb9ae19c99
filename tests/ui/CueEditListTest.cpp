// The cue edit screen's cue list half: insert, copy, paste, delete, names, files, closing.
#include "chaseedit/ChaseEditDlg.h"
#include "tests/ui/CueEditFixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QSlider>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Every field of a cue travels with it: Slots() checks them all, the active time included.
TEST_F(CueEditTest, InsertPasteAndDeleteThroughTheButtons)
{
    struct Case {
        const char* what;
        std::vector<std::vector<int>> copies;  // rows for each Copy Cues click (nested initializer lists would dangle)
        std::initializer_list<int> target;
        const char* button;
        std::vector<int> after;
    };
    const Case cases[] = {
        {"insert with an empty copy list", {}, {1}, "1013", {1, 0, 2, 3, -1}},
        {"copies of cues 2 and 3 pasted before cue 2", {{1, 2}}, {1}, "1013", {1, 2, 3, 2, 3}},
        {"cue 3 copied twice", {{2}, {2}}, {0}, "1013", {3, 3, 1, 2, 3}},
        {"delete cue 1 of three", {}, {0}, "1015", {2, 3, -1, -1, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        doc->ClearCues();
        Cues(3);
        Open(1);
        for (auto rows : c.copies) {
            Select(rows);
            Click("1014");
        }
        Select(c.target);
        Click(c.button);
        EXPECT_EQ(Slots(5), c.after);
        EXPECT_EQ(List("1011")->count(), 5 - static_cast<int>(std::count(c.after.begin(), c.after.end(), -1)));
        EXPECT_EQ(List("1012")->count(), 0);
        EXPECT_TRUE(List("1011")->selectedItems().isEmpty());
        EXPECT_FALSE(PanelShown());
        EXPECT_TRUE(person.shown.empty());
    }
    EXPECT_EQ(Entries("1011"), (std::vector<QString>{"1 Sample 2", "2 Sample 3"}));
}

TEST_F(CueEditTest, CopyListEntriesCarryTheCueNumberTwice)
{
    Cues(3);
    Open(1);
    Select({0, 2});
    Click("1014");
    EXPECT_EQ(Entries("1012"), (std::vector<QString>{"001 1 Sample 1", "003 3 Sample 3"}));
    List("1012")->item(0)->setSelected(true);
    Click("1018");
    EXPECT_EQ(Entries("1012"), (std::vector<QString>{"003 3 Sample 3"}));
    Click("1016");
    EXPECT_EQ(List("1012")->count(), 0);
}

// The last row: a full table used to lose its last cue.
TEST_F(CueEditTest, RefusedOperationsSayWhyAndChangeNothing)
{
    struct Case {
        int cues;
        std::initializer_list<int> target;
        const char* button;
        const char* text;
    };
    const Case cases[] = {
        {3, {}, "1015", "You must select a cue to be deleted."},
        {3, {0, 1}, "1015", "You may only delete one cue at a time."},
        {3, {}, "1013", "You must select where in the cue list you want the paste list put."},
        {3, {0, 2}, "1013", "You can only paste to one section of the cue list at a time."},
        {kCueSlots - 1, {0}, "1013", "There is no room for these cues"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        doc->ClearCues();
        Cues(c.cues);
        Open(0);
        const std::vector<int> before = Slots(4);
        person.shown.clear();
        if (c.target.size() > 0)
            Select(c.target);
        Click(c.button);
        ASSERT_EQ(person.shown.size(), 1u);
        EXPECT_EQ(person.shown[0].text.rfind(c.text, 0), 0u) << person.shown[0].text;
        EXPECT_EQ(person.shown[0].caption, "NOTICE");
        EXPECT_EQ(Slots(4), before);
        EXPECT_EQ(cue_samples::Sample(*doc, c.cues), c.cues);
    }
}

// An empty list has nothing to select, so Insert Cue makes its first cue.
TEST_F(CueEditTest, NewListTakesItsFirstCueAsADefaultCue)
{
    Cues(2);
    std::snprintf(doc->m_cueFileName, kFileNameSize, "%s", dir.Path("old.cue").c_str());
    Open(2);
    person.files = {""};
    editor->findChild<QAction*>("32775")->trigger();  // New, cancelled: nothing changes
    EXPECT_EQ(List("1011")->count(), 2);
    EXPECT_TRUE(PanelShown());
    person.files = {dir.Path("first.cue")};
    editor->findChild<QAction*>("32775")->trigger();
    EXPECT_EQ(List("1011")->count(), 0);
    EXPECT_FALSE(PanelShown());
    EXPECT_NE(dir.Read("old.cue").find("Sample 2|"), std::string::npos);
    Click("1013");
    EXPECT_EQ(Entries("1011"), (std::vector<QString>{"1 Default Cue Name"}));
    Select({0});  // no chase, every number 0, every level dark, reverse checked
    EXPECT_EQ(Box("1048")->text(), "# none");
    for (const char* box : {"1049", "1051", "1055", "1194"})
        EXPECT_EQ(Box(box)->text(), "0") << box;
    EXPECT_EQ(Control<QSlider>("1041")->value(), 100);
    QCheckBox* reverse = Control<QCheckBox>("1053");
    EXPECT_TRUE(reverse->isChecked());
    for (bool forward : {true, false}) {
        reverse->click();
        EXPECT_EQ(doc->m_cueForward[1], forward);
        EXPECT_EQ(reverse->isChecked(), !forward);
    }
    editor->findChild<QAction*>("32777")->trigger();
    EXPECT_NE(dir.Read("first.cue").find("Default Cue Name|# none|"), std::string::npos);
}

TEST_F(CueEditTest, OpensOnTheCurrentCueWhoseTypedNameIsStoredAtOnceAndListedWhenDone)
{
    Cues(3);
    Open(2);
    EXPECT_EQ(editor->windowTitle(), "Cue Edit Screen     GLIMMERBOX 2.0");
    EXPECT_TRUE(List("1011")->item(1)->isSelected());
    EXPECT_EQ(Box("1008")->text(), "2");
    EXPECT_TRUE(PanelShown());
    if (const char* target = std::getenv("GLIMMERBOX_EDITOR_SCREENSHOT")) {
        EXPECT_TRUE(editor->grab().save(target));
    }
    QLineEdit* name = Box("1009");
    EXPECT_EQ(name->text(), "Sample 2");
    name->selectAll();
    QTest::keyClicks(name, "Finale");
    EXPECT_STREQ(doc->m_cueName[2], "Finale");
    EXPECT_EQ(List("1011")->item(1)->text(), "2 Sample 2");
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(List("1011")->item(1)->text(), "2 Finale");
    EXPECT_TRUE(List("1011")->item(1)->isSelected());
    EXPECT_TRUE(editor->isVisible());

    // An emptied box used to leave a nameless gap that shifted every later cue.
    name->selectAll();
    QTest::keyClick(name, Qt::Key_Backspace);
    EXPECT_STREQ(doc->m_cueName[2], "Finale");
    Click("1058");
    EXPECT_EQ(name->text(), "Finale");
    EXPECT_EQ(List("1011")->count(), 3);
    QTest::keyClicks(name, QString(120, 'x'));
    EXPECT_EQ(std::strlen(doc->m_cueName[2]), 98u);
    EXPECT_EQ(name->text().size(), 98);

    Select({0, 2});  // no single cue: the box renames nothing
    QTest::keyClicks(name, "Stray");
    EXPECT_STREQ(doc->m_cueName[1], "Sample 1");
    EXPECT_STREQ(doc->m_cueName[3], "Sample 3");
}

// Control-clicking a cue off leaves the caret on it; the cue still selected is the one used.
TEST_F(CueEditTest, TheSelectedCueIsUsedNotTheCaret)
{
    Cues(3);
    Open(1);
    Select({0, 1, 1});
    EXPECT_EQ(doc->m_currentCue, 1);
    EXPECT_EQ(Box("1008")->text(), "1");
    Click("1015");
    EXPECT_EQ(Slots(3), (std::vector<int>{2, 3, -1}));
}

TEST_F(CueEditTest, OnlyTheCloseBoxEndsTheScreenLeavingNoCueCurrent)
{
    Cues(3);
    Open(2);
    for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter})
        QTest::keyClick(List("1011"), static_cast<Qt::Key>(key));
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(doc->m_currentCue, 2);
    editor->close();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(doc->m_currentCue, 0);
}

// The copy list kept slot numbers, so a delete before a copied cue made Insert paste
// the cue that had moved into its slot.
TEST_F(CueEditTest, CopyListFollowsItsCuesThroughDeletesUndoAndRedo)
{
    Cues(5);
    std::strcpy(doc->m_cueFileName, "show.cue");
    Open(1);
    Select({2});
    Click("1014");
    Select({0});
    Click("1015");
    EXPECT_EQ(Entries("1012"), std::vector<QString>{"002 2 Sample 3"});
    QTest::keyClick(List("1011"), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Entries("1012"), std::vector<QString>{"003 3 Sample 3"});
    QTest::keyClick(List("1011"), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Entries("1012"), std::vector<QString>{"002 2 Sample 3"});
    Select({0});
    Click("1013");  // the copied cue, not the one now standing in slot 3
    EXPECT_EQ(Slots(5), (std::vector<int>{3, 2, 3, 4, 5}));
    Select({1, 4});
    Click("1014");
    Select({4});
    Click("1015");  // a copied cue deleted: its entry goes, and the operator is told
    EXPECT_EQ(Entries("1012"), std::vector<QString>{"002 2 Sample 2"});
    EXPECT_EQ(person.Transcript(), "NOTICE: A copied cue was deleted, so it was taken off the copy list.\n");
    doc->SaveFile("cue");
    EXPECT_NE(dir.Read("show.cue").find("|\nSample 3|Chase 3|21 24 27 "), std::string::npos);
}

// A Save As or New into a folder that does not exist gave the list that name all
// the same, so File > Save and the close failed too and every edit was lost.
TEST_F(CueEditTest, AFailedSaveAsOrNewLeavesTheListOnItsOwnFile)
{
    Cues(3);
    const std::string own = dir.Path("own.cue"), nowhere = dir.Path("missing/x.cue");
    std::strcpy(doc->m_cueFileName, own.c_str());
    Open(2);
    for (const char* command : {"32778", "32775"}) {  // Save As, New
        person.files = {nowhere};
        editor->findChild<QAction*>(command)->trigger();
        EXPECT_EQ(doc->m_cueFileName, own);
        EXPECT_EQ(List("1011")->count(), 3);
    }
    EXPECT_EQ(person.shown.size(), 2u);
    EXPECT_EQ(person.Transcript().rfind("ERROR: Could not save the cue list\n" + nowhere + ": No such file", 0), 0u);
    QTest::keyClicks(Box("1009"), " kept");
    editor->close();
    doc->SaveFile("cue");  // as the console does when it closes
    EXPECT_NE(dir.Read("own.cue").find("\nSample 2 kept|"), std::string::npos);

    // A list that cannot be saved is not replaced unless the operator lets its changes go.
    std::strcpy(doc->m_cueFileName, nowhere.c_str());
    Open(1);
    person.answers = {false};
    editor->findChild<QAction*>("32776")->trigger();  // Load
    EXPECT_EQ(person.shown.back().caption, "Question");
    EXPECT_EQ(doc->m_cueFileName, nowhere);
    EXPECT_EQ(List("1011")->count(), 3);
}

// File > Load of a file in a folder that does not exist opened an empty list under
// that name, which every Save, New and the close then failed on.
TEST_F(CueEditTest, LoadRefusesAFileWhereTheListCouldNeverBeSaved)
{
    Cues(3);
    dir.Write("plain.txt", "not a folder\n");
    const std::string own = dir.Path("own.cue");
    struct Place {
        std::string file, why;
    };
    std::vector<Place> places = {{dir.Path("nosuchdir/x.cue"), "the folder " + dir.Path("nosuchdir") + " does not exist"},
                                 {dir.Path("plain.txt/x.cue"), dir.Path("plain.txt") + " is not a folder"}};
    if (geteuid() != 0) {  // root writes anywhere
        ASSERT_EQ(mkdir(dir.Path("shut").c_str(), 0555), 0);
        places.push_back({dir.Path("shut/x.cue"), "the folder " + dir.Path("shut") + " cannot be written"});
    }
    std::strcpy(doc->m_cueFileName, own.c_str());
    Open(2);
    for (const Place& place : places) {
        SCOPED_TRACE(place.file);
        person.shown.clear();
        person.files = {place.file};
        editor->findChild<QAction*>("32776")->trigger();
        EXPECT_EQ(person.Transcript(), "ERROR: " + place.file + "\nThis cue list was not opened: " + place.why +
                                           ", so it could never be saved there.\nThe cue list stays on " + own +
                                           ".\n");
        EXPECT_EQ(doc->m_cueFileName, own);
        EXPECT_EQ(List("1011")->count(), 3);
        EXPECT_TRUE(PanelShown());
    }
    QTest::keyClicks(Box("1009"), " kept");
    editor->findChild<QAction*>("32777")->trigger();  // Save
    EXPECT_NE(dir.Read("own.cue").find("\nSample 2 kept|"), std::string::npos);
    EXPECT_FALSE(dir.Exists("nosuchdir") || dir.Exists("shut/x.cue"));
}

// Both editors' name boxes: a long name of wide letters used to be cut inside a
// letter, and a "|" was taken, which the files write as "/".
TEST_F(CueEditTest, NameBoxesKeepWholeLettersAndRefuseTheFieldSeparator)
{
    Cues(2);
    std::strcpy(doc->m_cueFileName, "show.cue");
    std::strcpy(doc->m_chaseFileName, "show.lib");
    Open(2);
    CChaseEditDlg chases(*doc);
    std::strcpy(chases.m_chaseName, "Chase 1");
    chases.show();
    const QString wide = QString::fromUtf8("\u00e9") + QString(40, QChar(0x4e2d));
    const std::string fits = wide.left(33).toStdString();  // é and 32 中: 98 bytes; a 33rd 中 would be split
    QApplication::clipboard()->setText("x|y");
    for (QWidget* screen : std::initializer_list<QWidget*>{editor.get(), &chases}) {
        auto* box = screen->findChild<QLineEdit*>(screen == &chases ? "1056" : "1009");
        const QString before = box->text();
        QTest::keyClick(box, Qt::Key_Bar);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);  // a paste with a "|" goes whole
        EXPECT_EQ(box->text(), before);
        EXPECT_TRUE(screen->findChild<QLabel*>(screen == &chases ? "chaseNameNote" : "cueNameNote")->text().contains("|"));
        box->selectAll();
        for (const QChar letter : wide)
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(letter), {});
        EXPECT_EQ(box->text().toStdString(), fits);
    }
    EXPECT_EQ(doc->m_cueName[2], fits);
    EXPECT_EQ(doc->m_stepChase[2], fits);
    chases.close();
    doc->SaveFile("cue");
    doc->SaveFile("chase");
    EXPECT_NE(dir.Read("show.cue").find("\n" + fits + "|Chase 2|"), std::string::npos);
    EXPECT_NE(dir.Read("show.lib").find("\n" + fits + "|1|"), std::string::npos);
}

}  // namespace
