// The chase list column of the chase edit screen: opening, new, rename, copy and
// delete, with the mends of renaming and deleting.
#include "tests/ui/ChaseEditFixture.h"

#include <QLabel>
#include <QTest>

using namespace chase_test;

namespace {

const char* const kEditingIds[] = {"1056", "1181", "1187", "1192", "1188", "1189", "1186", "1183",
                                   "1184", "1185", "1190", "1191", "1062", "1057", "1166", "1173"};

TEST_F(ChaseEditTest, ANameNotInTheListShowsOnlyTheListAndMakeNewChase)
{
    AddChase(*doc, "Run", 1, 1);
    Open("# none");
    EXPECT_TRUE(List()->isVisible());
    EXPECT_TRUE(Control("1182")->isVisible());
    for (const char* id : kEditingIds)
        EXPECT_TRUE(editor->findChild<QWidget*>(id)->isHidden()) << id;
    EXPECT_EQ(Selected(), "");
}

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

TEST_F(ChaseEditTest, TypingRenamesEveryStepButNeverToABlankOrTakenName)
{
    AddChase(*doc, "Other", 1, 1);
    AddChase(*doc, "Run", 2, 2);
    AddChase(*doc, "Zed", 1, 4);
    std::snprintf(doc->m_cueName[1], kNameSize, "Cue");
    std::snprintf(doc->m_cueChase[1], kNameSize, "Run");
    Open("Run");
    QLineEdit* name = Control<QLineEdit>("1056");
    QLabel* note = editor->findChild<QLabel*>("chaseNameNote");
    name->setFocus();
    QTest::keyClicks(name, " Fast");
    EXPECT_STREQ(doc->m_stepChase[3], "Run Fast");
    EXPECT_EQ(Entries(), QStringList({"Other", "Run Fast", "Zed"}));
    EXPECT_EQ(Selected(), "Run Fast");
    EXPECT_STREQ(doc->m_cueChase[1], "Run");  // cues keep the name they had

    struct Case {
        const char* typed;
        const char* stored;
        bool noted;
    } cases[] = {{"", "Run Fast", true}, {"other", "othe", true}, {"Slow", "Slow", false}};  // "othe" was free
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        name->selectAll();
        QTest::keyClick(name, Qt::Key_Backspace);
        QTest::keyClicks(name, c.typed);
        EXPECT_STREQ(doc->m_stepChase[2], c.stored);
        EXPECT_STREQ(doc->m_stepChase[3], c.stored);
        EXPECT_EQ(note->isVisible(), c.noted);
        EXPECT_EQ(Entries().size(), 3);
    }
    // Enter after a name that was not taken brings back the last one that was ("ze").
    QTest::keyClicks(name, "\b\b\b\bzed");
    EXPECT_TRUE(note->isVisible());
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(name->text(), "ze");
    EXPECT_FALSE(note->isVisible());
    EXPECT_EQ(Selected(), "ze");
    EXPECT_TRUE(editor->isVisible());
}

TEST_F(ChaseEditTest, DeleteThisChaseFreesOnlyItsRecordsAndHidesTheGrid)
{
    AddChase(*doc, "Run", 1, 1);
    AddChase(*doc, "Keep", 2, 2);
    AddChase(*doc, "Run", 3, 4);  // Run's steps lie around Keep's
    doc->m_stepNumber[4] = 0;
    std::strcpy(doc->m_stepChase[4], "");  // records 1, 5, 6: steps 1, 2, 3
    doc->m_stepNumber[5] = 2;
    doc->m_stepNumber[6] = 3;
    std::snprintf(doc->m_cueChase[1], kNameSize, "Run");
    Open("Run");
    Click("1188");
    // The grid used to stay and keep writing the freed records.
    for (const char* id : kEditingIds)
        EXPECT_TRUE(editor->findChild<QWidget*>(id)->isHidden()) << id;
    QTest::keyClick(editor.get(), Qt::Key_F8);
    EXPECT_EQ(Entries(), QStringList({"Keep"}));
    EXPECT_EQ(Selected(), "");
    auto lampsOff = [&](int r) {
        static const unsigned char off[kTiers][kCircuits] = {};
        return std::memcmp(doc->m_stepTierLamps[r], off, sizeof off) == 0;
    };
    for (int r : {0, 1, 5, 6}) {
        EXPECT_EQ(doc->m_stepChase[r][0], '\0') << r;
        EXPECT_EQ(doc->m_stepChestLamps[r][0], 0) << r;
        EXPECT_TRUE(lampsOff(r)) << r;
    }
    EXPECT_FALSE(lampsOff(4));  // a free record that was never Run's is not touched
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

}  // namespace
