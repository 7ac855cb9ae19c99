// The chase list column of the chase edit screen: new, rename, copy and delete,
// with the mends of renaming and deleting.
#include "tests/ui/ChaseEditFixture.h"

#include <QLabel>
#include <QTest>
#include <utility>

using namespace chase_test;

namespace {

const char* const kEditingIds[] = {"1056", "1181", "1187", "1192", "1188", "1189", "1186", "1183",
                                   "1184", "1185", "1190", "1191", "1062", "1057", "1166", "1173"};

TEST_F(ChaseEditTest, MakeNewChaseTwiceLeavesOneBlankChaseWithEveryLampOff)
{
    AddChase(*doc, "Run", 3, 1);
    Open("Run");
    Click("1187");
    Click("1189");  // frees record 2, which still holds step 2's lamps
    Click("1182");
    Click("1182");
    EXPECT_EQ(Entries(), QStringList({"Blank Chase", "Run"}));
    EXPECT_EQ(Selected(), "Blank Chase");
    EXPECT_EQ(Counter(), "1 of 1");
    EXPECT_STREQ(doc->m_stepChase[2], "Blank Chase");
    EXPECT_EQ(doc->m_stepTierLamps[2][1][0], 0);
    EXPECT_EQ(Picture("1066"), QColor(0, 0, 0));
}

TEST_F(ChaseEditTest, TypingRenamesEveryStepButNeverToAnotherChasesName)
{
    AddChase(*doc, "Run", 2, 1);
    AddChase(*doc, "Zed", 1, 3);
    std::snprintf(doc->m_cueChase[1], kNameSize, "Run");
    Open("Run");
    QLineEdit* name = Control<QLineEdit>("1056");
    QLabel* note = editor->findChild<QLabel*>("chaseNameNote");
    QTest::keyClicks(name, " Fast");
    EXPECT_STREQ(doc->m_stepChase[2], "Run Fast");
    EXPECT_EQ(Entries(), QStringList({"Run Fast", "Zed"}));
    EXPECT_EQ(Selected(), "Run Fast");
    EXPECT_STREQ(doc->m_cueChase[1], "Run");  // cues keep the name they had

    // Typing another chase's name used to merge the two; "Ze" on the way was free.
    name->selectAll();
    QTest::keyClicks(name, "Zed");
    EXPECT_STREQ(doc->m_stepChase[1], "Ze");
    EXPECT_TRUE(note->isVisible());
    EXPECT_EQ(Entries(), QStringList({"Ze", "Zed"}));
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(name->text(), "Ze");
    EXPECT_FALSE(note->isVisible());
    EXPECT_TRUE(editor->isVisible());
}

TEST_F(ChaseEditTest, DeleteThisChaseFreesOnlyItsRecordsAndHidesTheGrid)
{
    AddChase(*doc, "Run", 1, 1);
    AddChase(*doc, "Keep", 2, 2);
    AddChase(*doc, "Run", 3, 4);
    doc->m_stepChase[4][0] = '\0';  // free: Run is records 1, 5 and 6, around Keep's
    std::snprintf(doc->m_cueChase[1], kNameSize, "Run");
    Open("Run");
    Click("1188");
    // The grid used to stay and keep writing the freed records; now only the list
    // and Make New Chase remain, as for a chase name not in the list.
    for (const char* id : kEditingIds)
        EXPECT_TRUE(editor->findChild<QWidget*>(id)->isHidden()) << id;
    EXPECT_TRUE(List()->isVisible() && Control("1182")->isVisible());
    QTest::keyClick(editor.get(), Qt::Key_F8);
    EXPECT_EQ(Entries(), QStringList({"Keep"}));
    EXPECT_EQ(Selected(), "");
    for (auto [r, marker] : {std::pair(1, 0), std::pair(5, 1), std::pair(6, 2)}) {
        EXPECT_EQ(doc->m_stepChase[r][0], '\0') << r;
        EXPECT_EQ(doc->m_stepChestLamps[r][0] + doc->m_stepTierLamps[r][marker][0], 0) << r;
    }
    EXPECT_EQ(doc->m_stepTierLamps[4][0][0], 1);  // a free record that was never Run's is not touched
    doc->LoadChase("Keep");
    EXPECT_EQ(Markers(*doc), "1 2");
    EXPECT_STREQ(doc->m_cueChase[1], "Run");
}

TEST_F(ChaseEditTest, MakeACopySelectsACopyOfEveryStep)
{
    AddChase(*doc, "Run", 3, 1);
    AddChase(*doc, "Run copy", 1, 4);
    Open("Run");
    Click("1187");
    Click("1183");
    EXPECT_EQ(Entries(), QStringList({"Run", "Run copy", "Run copy 2"}));
    EXPECT_EQ(Selected(), "Run copy 2");
    EXPECT_EQ(Counter(), "1 of 3");
    EXPECT_EQ(Markers(*doc), "1 2 3");
    EXPECT_EQ(Control<QLineEdit>("1056")->text(), "Run copy 2");
}

// "é" and "É" could both stand, but the list folded every letter and renaming only
// ASCII ones: the list found the other chase for the loaded one, and a delete left
// the grid on "1 of 0", with a false notice that every light step was in use.
TEST_F(ChaseEditTest, NamesDifferingInCaseAreTwoChasesAndOnlyTheSelectedOneIsEdited)
{
    AddChase(*doc, "\xc3\x89", 3, 1);  // É
    AddChase(*doc, "Run", 2, 4);
    Open("Run");
    Control<QLineEdit>("1056")->selectAll();
    QTest::sendKeyEvent(QTest::Click, Control<QLineEdit>("1056"), Qt::Key_unknown, QString::fromUtf8("\u00e9"), {});
    EXPECT_STREQ(doc->m_stepChase[4], "\xc3\xa9");
    EXPECT_EQ(Selected(), QString::fromUtf8("\u00e9"));
    for (const char* id : {"1188", "1186", "1190"})  // delete é, then add a step and light all: nothing to act on
        Click(id);
    for (const char* id : kEditingIds)
        EXPECT_TRUE(editor->findChild<QWidget*>(id)->isHidden()) << id;
    EXPECT_TRUE(person.shown.empty());
    List()->setCurrentRow(0);
    EXPECT_EQ(Counter(), "1 of 3");
    doc->SaveFile("chase");
    EXPECT_EQ(dir.Read("default.B18").rfind("\xc3\x89|1|text 1|", 0), 0u);
}

// "a|b" and "a/b" were both written as "a/b"; loaded, they became one chase with two
// first steps, one of them out of reach. Now they stay two, and the operator is told.
TEST_F(ChaseEditTest, ChasesWrittenUnderOneNameAreKeptApartWhenLoaded)
{
    std::string file;
    for (int r = 1; r <= 4; ++r)  // steps 1, 1, 2, 2; record r lights tier r
        file += "a/b|" + std::to_string((r + 1) / 2) + "|t|" + std::string((r - 1) * 6, '0') + "1|\n";
    dir.Write("default.B18", file);
    doc->LoadFile("chase");
    ASSERT_EQ(person.shown.size(), 1u);
    EXPECT_NE(person.shown[0].text.find("\"a/b\", \"a/b (2)\""), std::string::npos) << person.shown[0].text;
    Open("a/b (2)");
    EXPECT_EQ(Entries(), QStringList({"a/b", "a/b (2)"}));
    EXPECT_EQ(Counter(), "1 of 2");
    EXPECT_EQ(Markers(*doc), "2 4");
    doc->SaveFile("chase");
    EXPECT_NE(dir.Read("default.B18").find("a/b (2)|2|t|"), std::string::npos);
}

}  // namespace
