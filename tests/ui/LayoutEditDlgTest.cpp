// The tree layout screen: what it shows, what each control changes, what OK and the
// ways out write, how it looks, and the console opening it.
#include "document/History.h"
#include "layoutedit/LayoutEditDlg.h"
#include "tests/ui/ConsoleFixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QScreen>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <tuple>

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
    T* Control(int id) const { return screen->findChild<T*>(QString::number(id)); }
    QSpinBox* TierCount() const { return Control<QSpinBox>(1300); }
    QPushButton* Ok() const { return Control<QPushButton>(1); }
    QString Note() const { return Control<QLabel>(1360)->text(); }
    // Picks a colour with the keyboard, as an operator would.
    void Choose(int id, int color)
    {
        QComboBox* box = Control<QComboBox>(id);
        while (box->currentData().toInt() != color)
            QTest::keyClick(box, box->currentIndex() < box->findData(color) ? Qt::Key_Down : Qt::Key_Up);
    }
    // The preview as the window shows it now, once pending repaints are done.
    QImage ShownPreview() const
    {
        QApplication::processEvents();
        const QWidget* preview = screen->findChild<QWidget*>("layoutPreview");
        const QPoint at = preview->mapTo(screen.get(), QPoint());
        return screen->screen()->grabWindow(screen->winId(), at.x(), at.y(), preview->width(), preview->height())
            .toImage();
    }
    static CLayout LayoutOf(const CShowData& show)
    {
        CLayout layout;
        show.CopyLayout(layout);
        return layout;
    }

    std::unique_ptr<CLayoutEditDlg> screen;
};

TEST_F(LayoutScreen, ShowsTheLayoutItWasGiven)
{
    EXPECT_EQ(TierCount()->value(), 5);
    // Present boxes (tier 2 missing, tier 6 beyond the count) and colours; a missing part's are not usable.
    using Box = std::tuple<int, bool, bool>;  // id, checked, shown
    for (auto [id, checked, shown] : {Box{1410, true, true}, Box{1420, false, true}, Box{1460, false, false},
                                      Box{1320, true, true}, Box{1350, false, true}}) {
        EXPECT_EQ(Control(id)->isChecked(), checked) << id;
        EXPECT_EQ(Control(id)->isVisibleTo(screen.get()), shown) << id;
    }
    using Color = std::tuple<int, const char*, bool>;  // id, text, enabled
    for (auto [id, text, enabled] : {Color{1432, "white (6)", true}, Color{1436, "colour 12", true},
                                     Color{1421, "white", false}, Color{1326, "orange", true},
                                     Color{1341, "yellow", true}, Color{1331, "white", false}}) {
        EXPECT_EQ(Control<QComboBox>(id)->currentText(), text) << id;
        EXPECT_EQ(Control<QComboBox>(id)->isEnabled(), enabled) << id;
    }
    EXPECT_EQ(Control<QLabel>(1301)->text(), "Chase library for 5 tiers: default.B05");
    EXPECT_TRUE(Ok()->isEnabled());
}

// Every control changes the layout being edited and the preview, never the document.
TEST_F(LayoutScreen, EachControlChangesTheEditedLayoutAndThePreview)
{
    using Check = std::function<bool(const CLayout&)>;
    const std::pair<std::function<void(LayoutScreen&)>, Check> cases[] = {
        {[](auto& s) { s.TierCount()->setValue(7); },  // a new tier is like the one below it
         [](auto& l) { return l.tierCount == 7 && l.tierPresent[6] && l.tierColor[6][0] == 2; }},
        {[](auto& s) { s.Control(1420)->click(); }, [](auto& l) { return l.tierPresent[1]; }},
        {[](auto& s) { s.Choose(1413, 4); }, [](auto& l) { return l.tierColor[0][2] == 4; }},
        {[](auto& s) { s.Choose(1436, 3); }, [](auto& l) { return l.tierColor[2][5] == 3; }},
        {[](auto& s) { s.Control(1320)->click(); }, [](auto& l) { return !l.chestPresent; }},
        {[](auto& s) { s.Choose(1322, 3); }, [](auto& l) { return l.chestColor[1] == 3; }},
        {[](auto& s) { s.Control(1330)->click(); }, [](auto& l) { return l.outlinePresent; }},
        {[](auto& s) { s.Choose(1341, 2); }, [](auto& l) { return l.starColor == 2; }},
        {[](auto& s) { s.Control(1350)->click(); }, [](auto& l) { return l.crossPresent; }},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const auto& [act, changed] = cases[i];
        Open(kFiveTiers);
        const CLayout given = LayoutOf(*doc);
        const QImage before = ShownPreview();
        act(*this);
        EXPECT_TRUE(changed(screen->Layout()));
        EXPECT_NE(ShownPreview(), before);
        EXPECT_TRUE(LayoutOf(*doc) == given);
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
        end == kOk       ? Ok()->click()
        : end == kCancel ? Control<QPushButton>(2)->click()
        : end == kEscape ? QTest::keyClick(TierCount(), Qt::Key_Escape)
                         : (void)screen->close();
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
        EXPECT_TRUE(LayoutOf(*fresh) == LayoutOf(*doc));
        EXPECT_EQ(doc->m_tierColor[0][0], 7);
        EXPECT_TRUE(doc->m_crossPresent && doc->m_tierPresent[5] && !doc->m_tierPresent[1]);
    }
}

TEST_F(LayoutScreen, ATreeWithoutTiersOrWithoutItsLowestTierCannotBeConfirmed)
{
    Open(kFiveTiers);
    for (int id : {1410, 1430, 1440, 1450})
        Control(id)->click();
    EXPECT_TRUE(Note().startsWith("A tree needs at least one tier"));
    EXPECT_FALSE(Ok()->isEnabled());
    Control(1410)->click();
    // Said as the picture shows the tree: tier 1 at the top, tier 5 at its foot.
    EXPECT_EQ(Note(), "Tier 5 is the lowest tier, and the file counts the tiers by it: tick it, or lower the number "
                      "of tiers.");
    EXPECT_FALSE(Ok()->isEnabled());
    TierCount()->setValue(1);
    EXPECT_TRUE(Note().isEmpty() && Ok()->isEnabled());

    Open(kDefaultColors + kWindows);  // a layout file without a tier: one tier, not ticked
    EXPECT_EQ(TierCount()->value(), 1);
    EXPECT_FALSE(Control(1410)->isChecked() || Ok()->isEnabled());
}

// Every text fits its control, at 5 and 18 tiers (with the note showing), on a screen
// of 1280 x 1024 with room for the frame.
TEST_F(LayoutScreen, EveryTextFits)
{
    namespace fs = std::filesystem;
    fs::copy_file(fs::path(GLIMMER_SOURCE_DIR) / "app" / "Sprites.bmp", dir.Path("Sprites.bmp"));
    const char* folder = std::getenv("GLIMMERBOX_LAYOUT_SCREENSHOTS");
    for (int tiers : {5, 18}) {
        Open(kFiveTiers);
        TierCount()->setValue(tiers);
        const QString shot = QString("%1/layout-%2-tiers").arg(folder).arg(tiers);
        EXPECT_TRUE(folder == nullptr || screen->grab().save(shot + ".png"));
        if (tiers == kTiers)
            Control(1580)->click();
        EXPECT_TRUE(screen->width() <= 1260 && screen->height() <= 964);
        for (QWidget* w : screen->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!w->isVisibleTo(screen.get()) || w->inherits("QGroupBox"))
                continue;
            SCOPED_TRACE(w->objectName().toStdString() + " " + w->metaObject()->className());
            auto* label = qobject_cast<QLabel*>(w);
            if (auto* box = qobject_cast<QComboBox*>(w)) {
                QStyleOptionComboBox option;
                option.initFrom(box);
                const int room = box->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                              QStyle::SC_ComboBoxEditField, box).width();
                for (int i = 0; i < box->count(); ++i)
                    EXPECT_LE(box->fontMetrics().horizontalAdvance(box->itemText(i)) + box->iconSize().width() + 4, room);
            } else if (label != nullptr && label->wordWrap()) {
                EXPECT_LE(label->heightForWidth(label->width()), label->height());
            } else {
                EXPECT_LE(w->sizeHint().width(), w->width());
            }
        }
        EXPECT_TRUE(folder == nullptr || tiers != kTiers || screen->grab().save(shot + "-note.png"));
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
    ASSERT_TRUE(doc->RenameCue(1, "Renamed"));
    Click("1006");
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
}

}  // namespace
