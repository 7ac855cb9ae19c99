// The tier-count prompt, the about box, the program's icon and the lamp pictures of the chase editor.
#include "app/TierCountDlg.h"
#include "console/AboutDlg.h"
#include "widgets/AppIcon.h"
#include "widgets/LampImages.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

TEST(TierCountPrompt, TakesOnlyDigitsAndKeepsTheTextHoweverItEnds)
{
    enum End { kOkButton, kEnter, kCloseBox };
    for (End end : {kOkButton, kEnter, kCloseBox}) {
        SCOPED_TRACE(end);
        CTierCountDlg prompt;
        prompt.show();
        QLineEdit* edit = prompt.findChild<QLineEdit*>("1190");
        ASSERT_NE(edit, nullptr);
        QTest::keyClicks(edit, "1x2");
        if (end == kOkButton)
            QTest::mouseClick(prompt.findChild<QPushButton*>("1"), Qt::LeftButton);
        else if (end == kEnter)
            QTest::keyClick(edit, Qt::Key_Return);
        else
            prompt.close();
        EXPECT_FALSE(prompt.isVisible());
        EXPECT_EQ(prompt.result(), end == kCloseBox ? QDialog::Rejected : QDialog::Accepted);
        EXPECT_EQ(prompt.Text(), "12");
    }
}

// An empty, zero or too large count used to be taken and left a tree with no lamps.
TEST(TierCountPrompt, TakesOnlyOneToEighteenAndSaysWhyNot)
{
    const char* const type = "Type the number of tiers, 1 to 18";
    const char* const most = "18 tiers is the most: type the number of tiers, 1 to 18";
    const struct {
        const char* typed;
        const char* note;
        const char* taken;
    } cases[] = {
        {"", type, ""}, {"00", type, ""}, {"19", most, ""}, {"99999999999999999999", most, ""}, {"018", "", "18"},
    };
    for (const auto& c : cases) {
        CTierCountDlg prompt;
        QTest::keyClicks(prompt.findChild<QLineEdit*>("1190"), c.typed);
        EXPECT_EQ(prompt.findChild<QLabel*>("tierNote")->text(), c.note) << c.typed;
        EXPECT_EQ(prompt.findChild<QPushButton*>("1")->isEnabled(), *c.taken != '\0') << c.typed;
        EXPECT_EQ(prompt.Text(), c.taken) << c.typed;
    }
}

TEST(AboutBox, NamesTheProgramAndItsVersion)
{
    CAboutDlg about;
    EXPECT_EQ(about.windowTitle(), "About Glimmerbox20");
    bool named = false;
    for (QLabel* label : about.findChildren<QLabel*>())
        named = named || label->text() == "Glimmerbox20 Version 1.0";
    EXPECT_TRUE(named);
    about.show();
    about.findChild<QPushButton*>("1")->click();
    EXPECT_FALSE(about.isVisible());
}

// The menu shows the icon at the theme's sizes down to 16 pixels: every lamp and
// the star must still be seen there, and the rounded ground leave the corners clear.
TEST(AppIcon, EveryShapeShowsAtEveryThemeSize)
{
    auto near = [](QColor a, QColor b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) < 90;
    };
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QImage icon = AppIconImage(size);
        ASSERT_EQ(icon.size(), QSize(size, size));
        EXPECT_LT(icon.pixelColor(0, 0).alpha(), 128) << size;
        EXPECT_LT(icon.pixelColor(size - 1, size - 1).alpha(), 128) << size;
        for (const IconShape& shape : AppIconShapes()) {
            const QRectF box = shape.outline.boundingRect();
            const QRect pixels(QPoint(int(box.left() * size), int(box.top() * size)),
                               QPoint(int(box.right() * size), int(box.bottom() * size)));
            bool seen = false;
            // Looked for within the shape's own box, so its colour elsewhere does not count.
            for (int y = pixels.top(); y <= pixels.bottom() && y < size; ++y)
                for (int x = pixels.left(); x <= pixels.right() && x < size; ++x)
                    seen = seen || near(icon.pixelColor(x, y), shape.colour);
            EXPECT_TRUE(seen) << size << " px: " << shape.colour.name().toStdString() << " at "
                              << box.x() << "," << box.y();
        }
    }
}

TEST(LampImages, EachSlotHoldsItsColourAtItsSize)
{
    struct Case {
        int slot;
        QColor colour;
        QSize size;
    };
    const QColor white(255, 255, 255), black(0, 0, 0);
    const Case cases[] = {
        {0, white, {22, 21}},  {1, QColor(0, 0, 255), {23, 20}}, {2, QColor(255, 0, 0), {26, 23}},
        {3, QColor(0, 255, 0), {25, 23}}, {4, QColor(255, 255, 0), {26, 23}}, {5, QColor(250, 194, 0), {26, 22}},
        {6, white, {25, 22}},  {7, black, {24, 20}},            {8, white, {22, 21}},
        {9, white, {22, 21}},  {10, black, {22, 21}},           {kLampOffSlot, black, {22, 21}},
        {19, black, {22, 21}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slot);
        const QImage& image = LampImage(c.slot);
        EXPECT_EQ(image.size(), c.size);
        EXPECT_EQ(image.pixelColor(0, 0), c.colour);
        EXPECT_EQ(image.pixelColor(c.size.width() - 1, c.size.height() - 1), c.colour);
    }
    EXPECT_EQ(LampImage(20).size(), QSize(48, 48));
    EXPECT_EQ(LampImage(21).size(), QSize(48, 48));
    EXPECT_TRUE(LampImage(-1).isNull());
    EXPECT_TRUE(LampImage(kLampImageSlots).isNull());
}

}  // namespace
