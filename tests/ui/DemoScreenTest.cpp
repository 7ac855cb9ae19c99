// The console running the demo show that ships with the program. With
// GLIMMERBOX_SCREENSHOT set, the window is also saved there as a picture.
#include "app/ShowApp.h"
#include "cueedit/CueEditDlg.h"
#include "tests/ui/ConsoleFixture.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QTest>
#include <QTimer>
#include <QPixmap>

namespace {

using DemoScreenTest = ConsoleTest;

TEST_F(DemoScreenTest, SpritesAreInstalledOnceAndNeverOverwritten)
{
    InstallSprites();
    ASSERT_TRUE(dir.Exists("Sprites.bmp"));
    EXPECT_EQ(QImage(QString::fromStdString(dir.Path("Sprites.bmp"))).size(), QSize(800, 600));
    dir.Write("Sprites.bmp", "the operator's own");
    InstallSprites();
    EXPECT_EQ(dir.Read("Sprites.bmp"), "the operator's own");
}

TEST_F(DemoScreenTest, RunningDemoShowDrawsALitTree)
{
    CopyDemo();
    InstallSprites();
    Open();
    ASSERT_TRUE(console->Loaded());
    EXPECT_GT(CueList()->count(), 3);
    console->show();
    Control("1006")->click();
    Ticks(40);
    QImage shot = console->grab().toImage();
    QWidget* client = CueList()->parentWidget();
    QRect picture(client->mapTo(console.get(), QPoint(360, 50)), QSize(420, 550));
    // A lit tree has many colours in its picture; a blank one has one or two.
    QSet<QRgb> colours;
    for (int y = picture.top(); y < picture.bottom(); y += 3)
        for (int x = picture.left(); x < picture.right(); x += 3)
            colours.insert(shot.pixel(x, y));
    EXPECT_GT(colours.size(), 8);
    if (const char* target = std::getenv("GLIMMERBOX_SCREENSHOT")) {
        EXPECT_TRUE(shot.save(target));
    }
}

// Both ways into the cue editor stop the show and open it on the chosen cue; what is
// edited there reaches the console's list and, through File > Save, the show's file.
TEST_F(DemoScreenTest, EditButtonAndDoubleClickOpenTheCueEditor)
{
    CopyDemo();
    Open();
    for (bool doubleClick : {false, true}) {
        SCOPED_TRACE(doubleClick);
        const int row = doubleClick ? 1 : 2;
        Click("1006");
        CueList()->setCurrentRow(row);
        QString shown;
        QTimer::singleShot(0, [&] {
            auto* editor = qobject_cast<CCueEditDlg*>(QApplication::activeModalWidget());
            if (editor == nullptr)
                return;
            shown = editor->findChild<QLineEdit*>("1008")->text();
            auto* name = editor->findChild<QLineEdit*>("1009");
            name->selectAll();
            QTest::keyClicks(name, "Renamed");
            editor->findChild<QAction*>("32777")->trigger();
            editor->close();
        });
        if (doubleClick)
            console->OnCueListDblClk();
        else
            Click("1005");
        EXPECT_FALSE(doc->m_running);
        EXPECT_EQ(shown, QString::number(row + 1));
        EXPECT_EQ(CueList()->item(row)->text(), QString::number(row + 1) + " Renamed");
        EXPECT_EQ(doc->m_currentCue, 0);
    }
    EXPECT_NE(dir.Read("default.cue").find("\nRenamed|Sweep|100 0 0 0 0 0 100 0 "), std::string::npos);
    EXPECT_NE(dir.Read("default.cue").find("\nRenamed|Sweep|100 0 0 0 0 0 0 100 "), std::string::npos);
    EXPECT_TRUE(person.shown.empty());
}

}  // namespace
