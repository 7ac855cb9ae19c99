// The tree layout screen: what it shows, what each control changes, what OK and the
// ways out write, and the console opening it.
#include "document/History.h"
#include "layoutedit/LayoutEditDlg.h"
#include "tests/ui/ConsoleFixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

const std::string kWindows = "WINDOW|MAIN|10|500|20|700|\nWINDOW|CUE|0|0|0|0|\nWINDOW|CHASE|0|0|0|0|\n";
// Five tiers without tier 2, a colour index the table does not hold, a chest rail and a star.
const std::string kFiveTiers = kDefaultColors + "row|1|1|2|3|5|0|0|\nrow|3|7|6|5|4|3|12|\nrow|4|1|1|1|1|1|1|\n" +
                               "row|5|2|2|2|2|2|2|\nstar|4|\nchest|0|1|2|3|4|5|\n" + kWindows;

class LayoutScreen : public FileTest {
public:
    LayoutScreen() { Open(kFiveTiers); }
    void Open(const std::string& layoutFile)
    {
        dir.Write("colors.txt", layoutFile);
        screen.reset();
        doc = std::make_unique<CShowData>();
        doc->m_operator = &person;
        EXPECT_TRUE(doc->LoadLayout());
        doc->m_pictureLeft = 360, doc->m_pictureTop = 50, doc->m_pictureRight = 780, doc->m_pictureBottom = 600;
        screen = std::make_unique<CLayoutEditDlg>(*doc);
        screen->show();
    }
    template <class T = QCheckBox>
    T* Control(int id) const
    {
        T* control = screen->findChild<T*>(QString::number(id));
        EXPECT_NE(control, nullptr) << id;
        return control;
    }
    QSpinBox* TierCount() const { return Control<QSpinBox>(1300); }
    QString Note() const { return Control<QLabel>(1360)->text(); }
    QImage Preview() const { return screen->findChild<QWidget*>("layoutPreview")->grab().toImage(); }
    // Picks a colour with the keyboard, as an operator would.
    void Choose(int id, int color)
    {
        QComboBox* box = Control<QComboBox>(id);
        const int target = box->findData(color);
        ASSERT_GE(target, 0);
        while (box->currentIndex() != target)
            QTest::keyClick(box, box->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
    }
    CLayout InDocument() const
    {
        CLayout layout;
        doc->CopyLayout(layout);
        return layout;
    }

    std::unique_ptr<CLayoutEditDlg> screen;
};

TEST_F(LayoutScreen, ShowsTheLayoutItWasGiven)
{
    EXPECT_EQ(TierCount()->value(), 5);
    EXPECT_EQ(screen->windowTitle(), "Tree Layout");
    // Present boxes: tiers 1..5 (2 missing), chest rail, outline, star, cross.
    const struct {
        int id;
        bool checked, shown;
    } boxes[] = {{1410, true, true},  {1420, false, true}, {1450, true, true},  {1460, false, false},
                 {1320, true, true},  {1330, false, true}, {1340, true, true},  {1350, false, true}};
    for (const auto& b : boxes) {
        SCOPED_TRACE(b.id);
        EXPECT_EQ(Control(b.id)->isChecked(), b.checked);
        EXPECT_EQ(Control(b.id)->isVisibleTo(screen.get()), b.shown);
    }
    // Colours: tier 3 as the file gives them, the chest rail's, the star's; a missing part's are not usable.
    const struct {
        int id, color;
        const char* text;
        bool enabled;
    } colors[] = {{1431, 7, "black", true},     {1432, 6, "white (6)", true}, {1433, 5, "orange", true},
                  {1436, 12, "colour 12", true}, {1421, 0, "white", false},    {1326, 5, "orange", true},
                  {1341, 4, "yellow", true},     {1331, 0, "white", false}};
    for (const auto& c : colors) {
        SCOPED_TRACE(c.id);
        QComboBox* box = Control<QComboBox>(c.id);
        EXPECT_EQ(box->currentData().toInt(), c.color);
        EXPECT_EQ(box->currentText(), c.text);
        EXPECT_EQ(box->isEnabled(), c.enabled);
    }
    EXPECT_EQ(Control<QLabel>(1301)->text(), "Chase library for 5 tiers: default.B05");
    EXPECT_TRUE(Note().isEmpty());
    EXPECT_TRUE(Control<QPushButton>(1)->isEnabled());
}

// Every control changes the layout being edited and the preview, never the document.
TEST_F(LayoutScreen, EachControlChangesTheEditedLayoutAndThePreview)
{
    const struct {
        const char* what;
        std::function<void(LayoutScreen&)> act;
        std::function<bool(const CLayout&)> changed;
    } cases[] = {
        {"more tiers", [](auto& s) { s.TierCount()->setValue(7); },
         [](auto& l) { return l.tierCount == 7 && l.tierPresent[6] && l.tierColor[6][0] == 2; }},
        {"fewer tiers", [](auto& s) { s.TierCount()->setValue(4); }, [](auto& l) { return l.tierCount == 4; }},
        {"a tier back", [](auto& s) { s.Control(1420)->click(); }, [](auto& l) { return l.tierPresent[1]; }},
        {"a circuit's colour", [](auto& s) { s.Choose(1413, 4); }, [](auto& l) { return l.tierColor[0][2] == 4; }},
        {"a table colour over one outside it", [](auto& s) { s.Choose(1436, 3); },
         [](auto& l) { return l.tierColor[2][5] == 3; }},
        {"no chest rail", [](auto& s) { s.Control(1320)->click(); }, [](auto& l) { return !l.chestPresent; }},
        {"a chest circuit's colour", [](auto& s) { s.Choose(1322, 3); },
         [](auto& l) { return l.chestColor[1] == 3; }},
        {"an outline", [](auto& s) { s.Control(1330)->click(); }, [](auto& l) { return l.outlinePresent; }},
        {"the star's colour", [](auto& s) { s.Choose(1341, 2); }, [](auto& l) { return l.starColor == 2; }},
        {"no star", [](auto& s) { s.Control(1340)->click(); }, [](auto& l) { return !l.starPresent; }},
        {"a cross", [](auto& s) { s.Control(1350)->click(); }, [](auto& l) { return l.crossPresent; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Open(kFiveTiers);
        const CLayout given = InDocument();
        const QImage before = Preview();
        c.act(*this);
        EXPECT_TRUE(c.changed(screen->Layout()));
        EXPECT_NE(Preview(), before);
        EXPECT_TRUE(InDocument() == given);
    }
}

TEST_F(LayoutScreen, OkWritesWhatAFreshLoadReadsBackAndTheWaysOutWriteNothing)
{
    enum End { kOk, kCancel, kCloseBox, kEscape };
    for (End end : {kOk, kCancel, kCloseBox, kEscape}) {
        SCOPED_TRACE(end);
        Open(kFiveTiers);
        TierCount()->setValue(6);
        Choose(1411, 7);
        Control(1350)->click();
        const CLayout edited = screen->Layout();
        if (end == kOk)
            Control<QPushButton>(1)->click();
        else if (end == kCancel)
            Control<QPushButton>(2)->click();
        else if (end == kCloseBox)
            screen->close();
        else
            QTest::keyClick(TierCount(), Qt::Key_Escape);
        EXPECT_FALSE(screen->isVisible());
        EXPECT_EQ(screen->result(), end == kOk ? QDialog::Accepted : QDialog::Rejected);
        if (end != kOk) {
            EXPECT_EQ(dir.Read("colors.txt"), kFiveTiers);
            EXPECT_EQ(doc->m_tierCount, 5);
            continue;
        }
        const std::string saved = dir.Read("colors.txt");
        EXPECT_EQ(saved.substr(saved.size() - kWindows.size()), kWindows);
        auto fresh = std::make_unique<CShowData>();
        ASSERT_TRUE(fresh->LoadLayout());
        CLayout back;
        fresh->CopyLayout(back);
        EXPECT_TRUE(back == Stored(edited));
        EXPECT_TRUE(InDocument() == edited);
        EXPECT_STREQ(doc->m_chaseFileName, "default.B06");
    }
}

TEST_F(LayoutScreen, TierCountStaysOneToEighteenAndATreeWithoutTiersCannotBeConfirmed)
{
    for (const char* typed : {"25", "0", "19", "-3", "x", "99"}) {
        SCOPED_TRACE(typed);
        TierCount()->setFocus();
        TierCount()->selectAll();
        QTest::keyClicks(TierCount(), typed);
        QTest::keyClick(TierCount(), Qt::Key_Tab);
        EXPECT_GE(TierCount()->value(), 1);
        EXPECT_LE(TierCount()->value(), 18);
        EXPECT_EQ(screen->Layout().tierCount, TierCount()->value());
    }
    Open(kFiveTiers);
    for (int id : {1410, 1430, 1440, 1450})
        Control(id)->click();
    EXPECT_TRUE(Note().startsWith("A tree needs at least one tier"));
    EXPECT_FALSE(Control<QPushButton>(1)->isEnabled());
    Control(1410)->click();
    EXPECT_TRUE(Note().startsWith("Tier 5 is the top tier"));
    EXPECT_FALSE(Control<QPushButton>(1)->isEnabled());
    TierCount()->setValue(1);
    EXPECT_TRUE(Note().isEmpty());
    EXPECT_TRUE(Control<QPushButton>(1)->isEnabled());

    // A layout file without a tier opens as one tier not ticked.
    Open(kDefaultColors + kWindows);
    EXPECT_EQ(TierCount()->value(), 1);
    EXPECT_FALSE(Control(1410)->isChecked());
    EXPECT_FALSE(Control<QPushButton>(1)->isEnabled());
}

// Every text fits its control and no two controls overlap, at 5 and 18 tiers, on a
// screen of 1280 x 1024 with room for the frame.
TEST_F(LayoutScreen, TextsFitAndNothingOverlaps)
{
    namespace fs = std::filesystem;
    fs::copy_file(fs::path(GLIMMER_SOURCE_DIR) / "app" / "Sprites.bmp", dir.Path("Sprites.bmp"));
    for (int tiers : {5, 18}) {
        SCOPED_TRACE(tiers);
        Open(kFiveTiers);
        TierCount()->setValue(tiers);
        const char* folder = std::getenv("GLIMMERBOX_LAYOUT_SCREENSHOTS");
        auto shoot = [&](const char* suffix) {
            const QString name = QString("%1/layout-%2-tiers%3.png").arg(folder).arg(tiers).arg(suffix);
            EXPECT_TRUE(folder == nullptr || screen->grab().save(name));
        };
        shoot("");
        if (tiers == kTiers)
            Control(1580)->click();  // the note under the tiers shows too
        EXPECT_LE(screen->width(), 1280 - 20);
        EXPECT_LE(screen->height(), 1024 - 60);
        std::vector<QWidget*> shown;
        for (QWidget* w : screen->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!w->isVisibleTo(screen.get()) || w->inherits("QGroupBox"))
                continue;
            shown.push_back(w);
            SCOPED_TRACE(w->objectName().toStdString() + " " + w->metaObject()->className());
            if (auto* box = qobject_cast<QComboBox*>(w)) {
                QStyleOptionComboBox option;
                option.initFrom(box);
                const QRect field =
                    box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
                for (int i = 0; i < box->count(); ++i)
                    EXPECT_LE(box->fontMetrics().horizontalAdvance(box->itemText(i)) + box->iconSize().width() + 4,
                              field.width());
            } else if (auto* label = qobject_cast<QLabel*>(w); label != nullptr && label->wordWrap()) {
                EXPECT_LE(label->heightForWidth(label->width()), label->height());
            } else if (w->inherits("QLabel") || w->inherits("QAbstractButton")) {
                EXPECT_LE(w->sizeHint().width(), w->width());
            }
        }
        for (size_t i = 0; i < shown.size(); ++i)
            for (size_t j = i + 1; j < shown.size(); ++j)
                EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()))
                    << shown[i]->objectName().toStdString() << " and " << shown[j]->objectName().toStdString();
        if (tiers == kTiers)
            shoot("-note");
    }
}

// The console stops the show for the screen, keeps the editors' history, and after OK
// names the new chase library at once.
TEST_F(ConsoleTest, TreeLayoutMenuStopsTheShowAndShowsTheNewLayoutAtOnce)
{
    CHistory history;
    doc->m_history = &history;
    WriteShow(2);
    Open();
    ASSERT_TRUE(console->Loaded());
    ASSERT_TRUE(doc->RenameCue(1, "Renamed"));
    Click("1006");
    ASSERT_TRUE(doc->m_running);
    bool stopped = false;
    QTimer::singleShot(0, [&] {
        auto* screen = qobject_cast<CLayoutEditDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(screen, nullptr);
        stopped = !doc->m_running;
        screen->findChild<QSpinBox*>("1300")->setValue(5);
        screen->findChild<QPushButton*>("1")->click();
    });
    console->findChild<QAction*>("32773")->trigger();
    EXPECT_TRUE(stopped);
    EXPECT_TRUE(console->windowTitle().contains("Chase -=[ default.B05 ]=-"));
    EXPECT_EQ(dir.Read("default.B05"), dir.Read("default.B03"));
    EXPECT_EQ(history.UndoText(), "Rename Cue 1");
    EXPECT_EQ(doc->m_tierCount, 5);
}

}  // namespace
