// The chase edit screen driven through its controls: stepping, the step commands,
// the lamps, the keys and the mends of the light step grid.
#include "tests/ui/ChaseEditFixture.h"

#include <QTest>
#include <vector>

using namespace chase_test;

namespace {

const QColor kUnlit(0, 0, 0);
const QColor kRed(255, 0, 0);  // colour of every tier's first column

TEST_F(ChaseEditTest, StepCounterWrapsBothWaysAndFollowsTheFunctionKeysFromTheNameBox)
{
    struct Case {
        const char* chase;
        std::vector<int> keys;
        const char* counter;
    } cases[] = {
        {"Solo", {}, "1 of 1"},         {"Solo", {Qt::Key_F5}, "1 of 1"},
        {"Solo", {Qt::Key_F4}, "1 of 1"}, {"Run", {Qt::Key_F5, Qt::Key_F5}, "3 of 5"},
        {"Run", {Qt::Key_F4}, "5 of 5"},  {"Run", {Qt::Key_F4, Qt::Key_F5}, "1 of 5"},
    };
    AddChase(*doc, "Solo", 1, 1);
    AddChase(*doc, "Run", 5, 2);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.chase << " after " << c.keys.size() << " keys");
        Open(c.chase);
        QLineEdit* name = Control<QLineEdit>("1056");
        name->setFocus();
        for (int key : c.keys)
            QTest::keyClick(name, Qt::Key(key));
        EXPECT_EQ(Counter(), c.counter);
        EXPECT_EQ(name->text(), c.chase);  // the keys never reach the box
        EXPECT_EQ(Picture("1057"), doc->m_chaseStep == 1 ? kRed : kUnlit);
    }
}

TEST_F(ChaseEditTest, AddAndDeleteKeepTheStepsInOrderAndShowTheExpectedStep)
{
    struct Case {
        int steps, at;
        const char* button;
        const char* counter;
        const char* markers;  // which original step each step now holds, in step order
    } cases[] = {
        {1, 1, "1186", "1 of 2", "1 1"},          // the copy goes behind step 1
        {5, 3, "1186", "3 of 6", "1 2 2 3 4 5"},  // the new step 3 copies step 2
        {6, 1, "1189", "1 of 6", "1 2 3 4 5 6"},  // step 1 stays as long as the chase
        {6, 4, "1189", "3 of 5", "1 2 3 5 6"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.button << " on " << c.at << " of " << c.steps);
        doc->ClearChases();
        AddChase(*doc, "Other", 2, 1);
        AddChase(*doc, "Run", c.steps, 3);
        Open("Run");
        for (int k = 1; k < c.at; ++k)
            Click("1187");
        Click(c.button);
        EXPECT_EQ(Counter(), c.counter);
        EXPECT_EQ(Markers(*doc), c.markers);
        doc->LoadChase("Other");
        EXPECT_EQ(Markers(*doc), "1 2");
    }
}

TEST_F(ChaseEditTest, LampTogglesAllOnOffAndPasteLeaveAnAbsentTierAlone)
{
    AddChase(*doc, "Run", 2, 1);
    doc->m_stepTierLamps[1][11][2] = doc->m_stepTierLamps[2][11][4] = 1;  // tier 12 is absent
    Open("Run");
    EXPECT_TRUE(Control("1136")->isHidden() && Control("1142")->isHidden());
    QWidget* preview = editor->findChild<QWidget*>("chasePreview");
    const QImage before = preview->grab().toImage();
    Click("1166");  // chest rail 1, yellow
    EXPECT_EQ(doc->m_stepChestLamps[1][0], 1);
    EXPECT_EQ(Picture("1166"), QColor(255, 255, 0));
    EXPECT_NE(preview->grab().toImage(), before);
    Click("1166");
    EXPECT_EQ(doc->m_stepChestLamps[1][0], 0);
    EXPECT_EQ(Picture("1166"), kUnlit);
    EXPECT_EQ(preview->grab().toImage(), before);

    for (int key : {Qt::Key_F8, Qt::Key_F11, Qt::Key_F9, Qt::Key_F5, Qt::Key_F12})
        QTest::keyClick(editor.get(), Qt::Key(key));
    EXPECT_EQ(doc->m_stepTierLamps[1][17][5], 0);  // all on, copied, all off
    EXPECT_EQ(doc->m_stepTierLamps[2][17][5], 1);  // pasted onto step 2
    EXPECT_EQ(Picture("1213"), QColor(255, 255, 255));
    EXPECT_STREQ(doc->m_stepText[2], "text 2");
    const unsigned char tier12[2][kCircuits] = {{0, 0, 1, 0, 0, 0}, {0, 0, 0, 0, 1, 0}};
    EXPECT_EQ(std::memcmp(doc->m_stepTierLamps[1][11], tier12[0], kCircuits), 0);
    EXPECT_EQ(std::memcmp(doc->m_stepTierLamps[2][11], tier12[1], kCircuits), 0);
}

// Paste used to write every lamp off when nothing had been copied yet.
TEST_F(ChaseEditTest, EscapeAndAPasteBeforeAnyCopyDoNothing)
{
    AddChase(*doc, "Run", 1, 1);
    Open("Run");
    EXPECT_FALSE(Control("1185")->isEnabled());
    QTest::keyClick(List(), Qt::Key_F12);
    EXPECT_EQ(doc->m_stepTierLamps[1][0][0], 1);
    QTest::keyClick(List(), Qt::Key_Escape);
    EXPECT_TRUE(editor->isVisible());
    editor->close();
    EXPECT_EQ(editor->result(), QDialog::Accepted);
}

// With every record in use a new step or chase used to land in record 0, which no list shows.
TEST_F(ChaseEditTest, AFullPoolRefusesNewStepsAndChasesWithANotice)
{
    AddChase(*doc, "Run", 2, 1);
    FillPool(*doc);
    Open("Run");
    Click("1186");
    Click("1182");
    Click("1183");
    ASSERT_EQ(person.shown.size(), 3u);
    for (const auto& shown : person.shown)
        EXPECT_EQ(shown.caption, "NOTICE");
    EXPECT_NE(person.shown[0].text.find("4999"), std::string::npos);
    EXPECT_EQ(Counter(), "1 of 2");
    EXPECT_EQ(Selected(), "Run");
    EXPECT_EQ(doc->m_stepChase[0][0], '\0');
    EXPECT_FALSE(doc->ChaseExists("Blank Chase") || doc->ChaseExists("Run copy"));
}

// The grid stands where the dialog's coordinates put it: tiers 1 to 12 in columns at
// 191, 207, ... 271 units, tiers 13 to 18 one unit (two pixels) further right.
TEST_F(ChaseEditTest, TierButtonsStandInTheDialogsColumnsOneUnitRightFromTier13)
{
    AddChase(*doc, "Run", 1, 1);
    Open("Run");
    const struct {
        const char* id;  // first and sixth button of tiers 1, 12, 13 and 18
        int x;
    } kPlaces[] = {{"1057", 286}, {"1065", 406}, {"1136", 286}, {"1142", 406},
                   {"1143", 288}, {"1149", 408}, {"1207", 288}, {"1213", 408}};
    for (const auto& place : kPlaces) {
        SCOPED_TRACE(place.id);
        EXPECT_EQ(Control(place.id)->x(), place.x);
    }
}

}  // namespace
