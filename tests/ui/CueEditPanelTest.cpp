// The cue edit screen's parameter panel: levels, value boxes, chase and direction.
#include "chaseedit/ChaseEditDlg.h"
#include "tests/ui/CueEditFixture.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QProgressBar>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

const char* const kSliders[kChannels] = {"1041", "1043", "1033", "1035", "1037", "1039", "1021",
                                         "1023", "1025", "1027", "1029", "1031", "1047", "1045"};
const char* const kBars[kChannels] = {"1040", "1042", "1032", "1034", "1036", "1038", "1020",
                                      "1022", "1024", "1026", "1028", "1030", "1046", "1044"};

TEST_F(CueEditTest, SlidersShowLevelsFromTheTopAndBarsThePreviousCue)
{
    Cues(3);
    for (int k = 0; k < kChannels; ++k)
        doc->m_cueLevel[k][0] = k;  // slot 0 holds no cue, but cue 1's bars read it
    for (int cue : {1, 3}) {
        SCOPED_TRACE(cue);
        Open(cue);
        for (int k = 0; k < kChannels; ++k) {
            EXPECT_EQ(Control<QSlider>(kSliders[k])->value(), 100 - doc->m_cueLevel[k][cue]) << k;
            EXPECT_EQ(Control<QProgressBar>(kBars[k])->value(), doc->m_cueLevel[k][cue - 1]) << k;
        }
    }
    QSlider* chest = Control<QSlider>("1047");
    chest->triggerAction(QAbstractSlider::SliderToMinimum);  // the thumb at the top
    EXPECT_EQ(doc->m_cueLevel[kChest][3], 100);
    chest->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(doc->m_cueLevel[kChest][3], 0);
}

TEST_F(CueEditTest, KeysNudgeOnlyTheSliderThatHasTheFocus)
{
    struct Case {
        const char* focus;
        int start;
        std::vector<Qt::Key> keys;
        int level;
    };
    const Case cases[] = {
        {"1047", 95, {Qt::Key_PageUp, Qt::Key_PageUp}, 100},
        {"1047", 95, {Qt::Key_End}, 0},
        {"1047", 5, {Qt::Key_Home}, 100},
        {"1047", 50, {Qt::Key_Up, Qt::Key_Up, Qt::Key_Down, Qt::Key_PageDown}, 41},
        {"1009", 50, {Qt::Key_Up, Qt::Key_PageUp, Qt::Key_Home}, 50},
        {"1011", 50, {Qt::Key_Down, Qt::Key_End}, 50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.focus);
        doc->ClearCues();
        Cues(3);
        doc->m_cueLevel[kChest][2] = c.start;
        Open(2);
        QWidget* focus = Control<QWidget>(c.focus);
        focus->setFocus();
        for (Qt::Key key : c.keys)
            QTest::keyClick(focus, key);
        EXPECT_EQ(doc->m_cueLevel[kChest][2], c.level);
        EXPECT_EQ(Control<QSlider>("1047")->value(), 100 - c.level);
        EXPECT_EQ(doc->m_currentCue, 2);
        EXPECT_EQ(Box("1009")->cursorPosition(), 8);
    }
}

TEST_F(CueEditTest, ArrowsStepTheirBoxWithinTheRangeAndStoreIt)
{
    struct Field {
        const char* spin;
        const char* box;
        int (CShowData::*column)[kCueSlots];
        int start;
        const char* arrow;
        int stored;
    };
    const Field fields[] = {
        {"1050", "1049", &CShowData::m_cueFadeTime, 30, "up", 31},
        {"1050", "1049", &CShowData::m_cueFadeTime, 500, "down", 100},  // from outside the range
        {"1052", "1051", &CShowData::m_cueChaseSpeed, 0, "down", 0},
        {"1056", "1055", &CShowData::m_cueRunCount, 20, "up", 20},
    };
    for (const Field& f : fields) {
        SCOPED_TRACE(f.spin);
        Cues(2);
        ((*doc).*f.column)[2] = f.start;
        Open(2);
        Control<QWidget>(f.spin)->findChild<QToolButton*>(f.arrow)->click();
        EXPECT_EQ(((*doc).*f.column)[2], f.stored);
        EXPECT_EQ(Box(f.box)->text(), QString::number(f.stored));
    }
    QLineEdit* active = Box("1194");
    active->setFocus();
    active->selectAll();
    QTest::keyClicks(active, "12a-34567");
    EXPECT_EQ(active->text(), "12345");
    EXPECT_EQ(doc->m_cueActiveTime[2], 12345);
}

// Showing a cue writes nothing back, not even values the boxes could not have set.
TEST_F(CueEditTest, SelectingCuesWritesNothingBack)
{
    Cues(3);
    doc->m_cueFadeTime[2] = 500;
    doc->m_cueRunCount[2] = 25;
    doc->m_cueActiveTime[2] = 123456;
    doc->m_cueActiveTime[3] = -1;
    Open(1);
    for (int row : {1, 2, 1, 0})
        Select({row});
    EXPECT_EQ(doc->m_cueFadeTime[2], 500);
    EXPECT_EQ(doc->m_cueRunCount[2], 25);
    EXPECT_EQ(doc->m_cueActiveTime[2], 123456);
    EXPECT_EQ(doc->m_cueActiveTime[3], -1);
    EXPECT_EQ(cue_samples::Sample(*doc, 1), 1);
    Select({1});
    EXPECT_EQ(Box("1194")->text(), "123456");
    EXPECT_EQ(Box("1049")->text(), "500");
}

// An input method's commit (full-width digits typed through a CJK input method) used
// to get past the key filter: the box showed "１２０" while the cue held 0.
TEST_F(CueEditTest, ActiveTimeTakesDigitsOnlyHoweverTheyArriveAndShowsWhatTheCueHolds)
{
    Cues(2);
    std::strcpy(doc->m_cueFileName, "show.cue");
    Open(2);
    QLineEdit* active = Box("1194");
    active->setFocus();
    const std::pair<QString, const char*> commits[] = {
        {QString::fromUtf8("\uff11\uff12\uff10"), "120"}, {"a-b", ""}, {"1234567", "12345"}};
    for (const auto& [text, shown] : commits) {
        active->clear();
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(active, &commit);
        EXPECT_EQ(active->text(), shown);
        EXPECT_EQ(doc->m_cueActiveTime[2], std::atoi(shown));
    }
    active->clear();
    QTest::keyClicks(active, "007");
    QTest::keyClick(active, Qt::Key_Return);  // done typing: the box says what the cue holds
    EXPECT_EQ(active->text(), "7");
    doc->SaveFile("cue");
    EXPECT_EQ(dir.Read("show.cue").substr(dir.Read("show.cue").rfind(' ')), " 7|\n");  // cue 2's last number
}

TEST_F(CueEditTest, ChaseListIsSortedAndAMissingChaseFallsBackToItsFirstEntry)
{
    Cues(3);
    Chase("alpha", 2);
    std::strcpy(doc->m_cueChase[2], "Gone");
    std::strcpy(doc->m_cueChase[3], "ALPHA");
    Open(3);
    EXPECT_EQ(Entries("1191"), (std::vector<QString>{"# none", "alpha", "Chase 0", "Chase 1", "Chase 2", "Chase 3",
                                                     "Chase 4"}));
    // "ALPHA" is no chase of the library, as the show finds chases: it falls back too.
    EXPECT_EQ(List("1191")->currentRow(), 0);
    EXPECT_STREQ(doc->m_cueChase[3], "# none");
    Select({1});
    EXPECT_STREQ(doc->m_cueChase[2], "# none");
    EXPECT_EQ(Box("1048")->text(), "# none");
    List("1191")->setCurrentRow(4);
    EXPECT_STREQ(doc->m_cueChase[2], "Chase 2");
    EXPECT_EQ(Box("1048")->text(), "Chase 2");
}

// The chase edit screen opens on the cue's chase; what is made or deleted there is
// offered (or gone) in the chase list when it returns.
TEST_F(CueEditTest, ChaseEditorOpensOnTheChaseAndItsChangesShowAfterwards)
{
    Cues(2);
    Open(2);
    std::vector<std::string> opened;
    // Runs inside the chase editor's modal loop: note its chase, make a new one, close.
    auto inChaseEditor = [&] {
        QTimer::singleShot(0, [&] {
            auto* chases = qobject_cast<CChaseEditDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(chases, nullptr);
            opened.push_back(chases->m_chaseName);
            chases->findChild<QPushButton*>("1182")->click();
            chases->close();
        });
    };
    std::memset(doc->m_stepChase[3], 0, kNameSize);  // the one step of "Chase 2"
    inChaseEditor();
    Click("1054");
    EXPECT_STREQ(doc->m_cueChase[2], "# none");
    const std::vector<QString> withNew = Entries("1191");
    EXPECT_EQ(std::count(withNew.begin(), withNew.end(), "Blank Chase"), 1);
    EXPECT_EQ(withNew.size(), 6u);

    QListWidget* chases = List("1191");
    const QPoint second = chases->visualItemRect(chases->item(1)).center();
    QTest::mouseClick(chases->viewport(), Qt::LeftButton, {}, second);
    inChaseEditor();
    QTest::mouseDClick(chases->viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(opened, (std::vector<std::string>{"Chase 2", chases->item(1)->text().toStdString()}));
    EXPECT_TRUE(person.shown.empty());
}

}  // namespace
