// The console running the demo show that ships with the program. With
// GLIMMERBOX_SCREENSHOT set, the window is also saved there as a picture.
#include "app/ShowApp.h"
#include "cueedit/CueEditDlg.h"
#include "tests/ui/ConsoleFixture.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QTimer>
#include <QPixmap>
#include <filesystem>

namespace {

class DemoScreenTest : public ConsoleTest {
protected:
    void CopyDemo()
    {
        namespace fs = std::filesystem;
        for (const auto& entry : fs::directory_iterator(fs::path(GLIMMER_SOURCE_DIR) / "demo"))
            fs::copy_file(entry.path(), dir.Path(entry.path().filename().string()));
        person.files.push_back(dir.Path("default.cue"));
    }
};

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

TEST_F(DemoScreenTest, DemoShowCanBeEditedAndSaved)
{
    CopyDemo();
    Open();
    QTimer::singleShot(0, [] {
        auto* editor = qobject_cast<CCueEditDlg*>(QApplication::activeModalWidget());
        if (editor == nullptr)
            return;
        editor->findChild<QListWidget*>("1011")->setCurrentRow(0);
        editor->findChild<QPushButton*>("1013")->click();
        editor->findChild<QAction*>("32777")->trigger();
        editor->close();
    });
    Click("1005");
    EXPECT_EQ(dir.Read("default.cue").find("ChaseList_Selected|default.B18|\nDefault Cue Name|# none|0 0 0 "), 0u);
    EXPECT_EQ(CueList()->count(), 14);
    EXPECT_EQ(CueList()->item(1)->text(), "2 Welcome Glow");
}

}  // namespace
