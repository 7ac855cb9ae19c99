// The console window driven through its controls on a prepared program directory.
#include "tests/ui/ConsoleFixture.h"
#include "widgets/WrapButton.h"

#include <QApplication>
#include <QProgressBar>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

namespace {

TEST_F(ConsoleTest, OpensTheChosenCueListStoppedWithTheTimerRunning)
{
    WriteShow(5);
    Open();
    ASSERT_TRUE(console->Loaded());
    EXPECT_EQ(CueList()->count(), 5);
    EXPECT_EQ(CueList()->item(0)->text(), "1 Cue 1");
    EXPECT_FALSE(doc->m_running);
    EXPECT_TRUE(console->Clock().Ticking());
    EXPECT_EQ(console->Clock().PeriodNs(), 100'000'000);
    EXPECT_EQ(Control("1006")->text(), "Press this BUTTON to START the TREE. This will Reset The Tree");
    EXPECT_EQ(Control("1000")->text(), "Click to Pause");
    EXPECT_EQ(Control("1182")->text(), "Graphics ON");
    EXPECT_TRUE(console->windowTitle().contains("CUE -=[ " + QString::fromStdString(dir.Path("show.cue")) + " ]=-"));
    EXPECT_TRUE(console->windowTitle().endsWith("Chase -=[ default.B03 ]=-"));
    EXPECT_TRUE(Control("1009")->isHidden());
    EXPECT_TRUE(Control("1010")->isHidden());
}

TEST_F(ConsoleTest, MissingLayoutAsksForARestartAndNeverRuns)
{
    person.tierCount = "3";
    Open();
    EXPECT_FALSE(console->Loaded());
    ASSERT_FALSE(person.shown.empty());
    EXPECT_EQ(person.shown.back().text, "Please Reload the program");
    EXPECT_EQ(person.shown.back().caption, "NOTICE");
    EXPECT_EQ(console->exec(), QDialog::Rejected);
    EXPECT_TRUE(dir.Exists("colors.txt"));  // the first run wrote it
    EXPECT_FALSE(dir.Exists("default.cue"));  // nothing of an unloaded show is saved
    // Given no tier count nothing is set up, and the last word says so.
    std::remove(dir.Path("colors.txt").c_str());
    person.tierCount = "";
    Open();
    EXPECT_EQ(person.shown.back().text, kNothingSetUpText);
    EXPECT_FALSE(dir.Exists("colors.txt"));
}

TEST_F(ConsoleTest, StatusLineFollowsRunStateAndSending)
{
    WriteShow(3);
    Open();
    Ticks(1);
    EXPECT_EQ(Status(), "Will NOT Send Info To Tree");
    console->OnSendTreeSignals();
    Ticks(1);
    EXPECT_EQ(Status(), "Will Send Info To Tree");
    console->OnSendTreeSignals();

    Click("1006");
    EXPECT_TRUE(doc->m_running);
    EXPECT_EQ(Control("1006")->text(), "Press this BUTTON to STOP the TREE. This will Reset The Tree");
    Ticks(1);
    EXPECT_EQ(Status(), QString("NO Data Sent     CUE #(1)  Chase #(%1)").arg(doc->m_currentChase));
    EXPECT_EQ(Control<QProgressBar>("1002")->value(), 1);
}

// Sending switched on while no port takes the frames must not claim "Data Sent".
TEST_F(ConsoleTest, SendingWithoutAUsablePortSaysNoPortIsOpen)
{
    WriteShow(3);
    Open();
    console->OnSendTreeSignals();
    Click("1006");
    Ticks(1);
    EXPECT_EQ(Status(), QString("NO Data Sent - No Tree Port Open     CUE #(1)  Chase #(%1)").arg(doc->m_currentChase));
}

TEST_F(ConsoleTest, TickBarWrapsAfterItsEnd)
{
    WriteShow(1);
    Open();
    Click("1006");
    Ticks(101);
    EXPECT_EQ(Control<QProgressBar>("1002")->value(), 0);
    Ticks(1);
    EXPECT_EQ(Control<QProgressBar>("1002")->value(), 1);
}

TEST_F(ConsoleTest, EnterAdvancesOnlyWhileRunningAndEscapeNeverCloses)
{
    WriteShow(5);
    Open();
    console->show();
    QTest::keyClick(CueList(), Qt::Key_Return);
    EXPECT_EQ(doc->m_currentCue, 1);
    Click("1006");
    QTest::keyClick(CueList(), Qt::Key_Return);
    EXPECT_EQ(doc->m_currentCue, 2);
    QTest::keyClick(Control("1005"), Qt::Key_Enter);
    EXPECT_EQ(doc->m_currentCue, 3);
    for (QWidget* target : {static_cast<QWidget*>(console.get()), static_cast<QWidget*>(CueList())}) {
        QTest::keyClick(target, Qt::Key_Escape);
        EXPECT_TRUE(console->isVisible());
    }
    EXPECT_FALSE(dir.Read("show.cue").empty());  // and nothing was saved by it
    EXPECT_EQ(person.shown.size(), 0u);
}

TEST_F(ConsoleTest, ChoosingALineStartsThatCueAtOnce)
{
    WriteShow(6, 50);
    Open();
    Click("1006");
    Ticks(3);
    CueList()->setCurrentRow(3);
    EXPECT_EQ(doc->m_currentCue, 4);
    EXPECT_EQ(doc->m_activeTimeLeft, 50);
    // Focus alone moving the list's current row is not a choice either.
    CueList()->selectionModel()->setCurrentIndex(CueList()->model()->index(1, 0), QItemSelectionModel::NoUpdate);
    EXPECT_EQ(doc->m_currentCue, 4);
    // The console following the show in its list is not a new choice: the cue is not restarted.
    Ticks(2);
    EXPECT_EQ(CueList()->currentRow(), 3);
    EXPECT_EQ(doc->m_activeTimeLeft, 48);
}

TEST_F(ConsoleTest, AdvanceModes)
{
    struct Case {
        std::vector<const char*> clicks;
        int cueAfterTicks;
        bool directionsShown;
        const char* pressed;  // the mode in use and the direction it advances in
    };
    const Case cases[] = {
        {{}, 3, false, "1008"},                       // the console opens in Manual Mode
        {{"1008", "1008"}, 3, false, "1008"},         // a second click keeps it pressed
        {{"1007"}, 3, true, "1007"},                  // Auto Run Mode alone keeps the cue
        {{"1007", "1009"}, 4, true, "1007 1009"},     // Forward advances
        {{"1007", "1010"}, 2, true, "1007 1010"},     // Reverse goes back
        {{"1007", "1009", "1007"}, 3, true, "1007"},  // Auto Run Mode again waits for a direction
        {{"1007", "1009", "1008"}, 3, false, "1008"}, // Manual Mode stops advancing and hides the directions
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clicks.size());
        doc = std::make_unique<CShowData>();
        doc->m_operator = &person;
        WriteShow(6, 1);
        Open();
        Click("1006");
        doc->StartCue(3);
        for (const char* id : c.clicks)
            Click(id);
        Ticks(2);  // active time 1: a second tick advances when advancing is on
        EXPECT_EQ(doc->m_currentCue, c.cueAfterTicks);
        EXPECT_EQ(Control("1009")->isHidden(), !c.directionsShown);
        QStringList pressed;
        for (const char* id : {"1007", "1008", "1009", "1010"})
            if (Control(id)->isChecked())
                pressed << id;
        EXPECT_EQ(pressed.join(' '), c.pressed);
        console.reset();
    }
}

TEST_F(ConsoleTest, StopThenStartRestartsAtCueOne)
{
    WriteShow(5);
    Open();
    Click("1006");
    doc->NextCue();
    doc->NextCue();
    Click("1006");
    EXPECT_FALSE(doc->m_running);
    Ticks(1);
    EXPECT_EQ(Status(), "Will NOT Send Info To Tree");
    Click("1006");
    EXPECT_TRUE(doc->m_running);
    EXPECT_EQ(doc->m_currentCue, 1);
}

TEST_F(ConsoleTest, PauseStopsTheClockAndContinueRestartsIt)
{
    WriteShow(2);
    Open();
    Click("1006");
    Click("1000");
    EXPECT_EQ(Control("1000")->text(), "Click to Continue");
    EXPECT_FALSE(console->Clock().Ticking());
    QProgressBar* bar = Control<QProgressBar>("1002");
    const int value = bar->value();
    QTest::qWait(250);  // the clock's thread starts with the event loop, and must not tick
    EXPECT_TRUE(console->Clock().Started());
    EXPECT_EQ(bar->value(), value);
    EXPECT_TRUE(doc->m_running);  // the show state is untouched
    Click("1000");
    EXPECT_EQ(Control("1000")->text(), "Click to Pause");
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar->value() != value; }, 3000)) << "the clock ticks again";
}

TEST_F(ConsoleTest, CueListKeepsTheCurrentCueAtMostTenLinesBelowTheTop)
{
    WriteShow(60);
    Open();
    console->show();
    Click("1006");
    for (int cue = 1; cue <= 45; ++cue) {
        Ticks(2);
        int top = CueList()->verticalScrollBar()->value();
        SCOPED_TRACE(cue);
        EXPECT_EQ(CueList()->currentRow(), cue - 1);
        EXPECT_LE(CueList()->currentRow() - top, 10);
        EXPECT_GE(CueList()->currentRow(), top);
        doc->NextCue();
    }
}

TEST_F(ConsoleTest, PictureIsDrawnOnlyWhileRunningWithGraphicsOn)
{
    WriteShow(1);
    Open();
    console->show();
    QWidget* client = CueList()->parentWidget();
    doc->m_level[kStar] = 100;  // a white star at full level
    const QPoint star(360 + 70, 50 + 70);
    auto starLit = [&] { return client->grab().toImage().pixelColor(star) == QColor(Qt::white); };
    EXPECT_FALSE(starLit());
    Click("1006");
    doc->m_level[kStar] = 100;
    EXPECT_TRUE(starLit());
    Click("1182");
    EXPECT_EQ(Control("1182")->text(), "Graphics OFF");
    EXPECT_FALSE(starLit());
    Click("1182");
    EXPECT_EQ(Control("1182")->text(), "Graphics ON");
    EXPECT_TRUE(starLit());
    EXPECT_GE(client->height(), 600);
    EXPECT_GE(client->width(), 780);
}

// "Graphics OFF" used to be cut to about "raphics OF" in its button.
TEST_F(ConsoleTest, SingleLineButtonTextsFitTheirButtonsInEveryState)
{
    WriteShow(1);
    Open();
    console->show();
    EXPECT_EQ(Control("1182")->size(), QSize(75, 22));  // the layout's size stays; the text fits it
    for (int toggle = 0; toggle < 2; ++toggle) {
        for (QPushButton* button : console->findChildren<QPushButton*>()) {
            if (qobject_cast<CWrapButton*>(button) != nullptr)
                continue;
            SCOPED_TRACE(button->text().toStdString());
            EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()), button->width() - 6);
        }
        Click("1182");
    }
}

TEST_F(ConsoleTest, CloseSavesCueListChaseLibraryAndLayoutWithTheWindowPlace)
{
    WriteShow(2);
    std::string colors = dir.Read("colors.txt");
    dir.Write("colors.txt", colors.replace(colors.find("WINDOW|MAIN|0|0|0|0|"), 20, "WINDOW|MAIN|40|700|30|850|"));
    Open();
    console->show();
    EXPECT_EQ(console->pos(), QPoint(30, 40));
    std::snprintf(doc->m_cueName[2], kNameSize, "Renamed");
    std::snprintf(doc->m_stepText[1], kNameSize, "edited");
    console->move(60, 70);
    console->close();
    EXPECT_FALSE(console->isVisible());
    EXPECT_NE(dir.Read("show.cue").find("\nRenamed|Blink|"), std::string::npos);
    EXPECT_NE(dir.Read("default.B03").find("Lit|1|edited|"), std::string::npos);
    QRect frame = console->frameGeometry();
    std::string place = "WINDOW|MAIN|" + std::to_string(frame.top()) + "|" + std::to_string(frame.top() + frame.height()) +
                        "|" + std::to_string(frame.left()) + "|" + std::to_string(frame.left() + frame.width()) + "|";
    EXPECT_NE(dir.Read("colors.txt").find(place), std::string::npos) << place;
    EXPECT_EQ(frame.topLeft(), QPoint(60, 70));
    // A place on no screen (one since unplugged) is left to the window manager.
    colors = dir.Read("colors.txt");
    dir.Write("colors.txt", colors.replace(colors.find(place), place.size(), "WINDOW|MAIN|5000|5640|6000|6795|"));
    person.files.push_back(dir.Path("show.cue"));
    Open();
    EXPECT_NE(console->pos(), QPoint(6000, 5000));
}

// The port setup used to end the program; now the console stays open with the
// operator's unsaved work, and only the port configuration is written.
TEST_F(ConsoleTest, PortSetupKeepsTheConsoleAndItsUnsavedWork)
{
    WriteShow(2);
    Open();
    std::snprintf(doc->m_cueName[1], kNameSize, "Kept");
    QTimer::singleShot(0, [] {
        if (QWidget* ports = QApplication::activeModalWidget())
            ports->close();
    });
    console->OnComPortSetup();
    EXPECT_STREQ(doc->m_cueName[1], "Kept");
    EXPECT_EQ(dir.Read("show.cue").find("\nKept|Lit|"), std::string::npos) << "nothing saved behind the operator";
    EXPECT_NE(dir.Read("Glimmerbox.cfg").find("1||\n2||\n"), std::string::npos);
    EXPECT_EQ(console->result(), 0) << "the console did not end";
}

}  // namespace
