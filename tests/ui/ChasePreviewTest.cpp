// The chase editor's picture: its geometry checked against the live picture's, and
// a few pixels of the preview as the screen shows it.
#include "chaseedit/ChasePreview.h"
#include "chaseedit/ChasePreviewGeometry.h"
#include "tests/FileTestSupport.h"
#include "tests/ui/PictureShow.h"

#include <QImage>
#include <tuple>

using namespace picture_test;

namespace {

std::unique_ptr<CTreeGeometry> Preview(const CShowData& show)
{
    auto g = std::make_unique<CTreeGeometry>();
    ComputeChasePreview(show, *g);
    return g;
}

// Same places as the live picture of 18 tiers; lamps that are on show at full level
// whatever the channels say; an absent tier is left empty and the others keep their rows.
TEST(ChasePreviewGeometry, KeepsTheEighteenTierPlacesAndShowsOnLampsAtFullLevel)
{
    auto show = MakeShow(9);  // tiers 10 to 18 absent
    show->m_tierPresent[4] = false;
    AllLampsOn(*show);
    AllLevels(*show, 0);
    CTreeGeometry live;
    ComputeTreeGeometry(*MakeShow(18), live);
    auto g = Preview(*show);
    for (int t = 1; t <= kTiers; ++t) {
        SCOPED_TRACE(t);
        const CTierRow& row = g->row[t - 1];
        const bool present = t <= 9 && t != 5;
        EXPECT_EQ(row.imageCount, present ? 2 * t : 0);
        EXPECT_EQ(row.chestBarCount, present ? t : 0);
        EXPECT_EQ(row.outline[0].state.lit, present);
        EXPECT_EQ(row.outline[3].at.x, live.row[t - 1].outline[3].at.x);
        EXPECT_TRUE(row.stripe[0].lit);
        EXPECT_EQ(row.stripe[0].brush.red, 255);
        if (present) {
            EXPECT_EQ(row.chestBar[t - 1].y, live.row[t - 1].chestBar[t - 1].y);
        }
    }
    EXPECT_EQ(g->chest[1].brush.green, 255);
}

TEST(ChasePreview, ShowsTheStepOnTheSheetsPreviewBulb)
{
    const QColor sky(10, 20, 30), bulb(90, 90, 90), liveBulb(200, 0, 200);
    CTempProgramDir dir;
    QImage sheet(800, 600, QImage::Format_RGB32);
    sheet.fill(sky);
    sheet.setPixelColor(5, 7, QColor(200, 100, 50));
    // The live picture's bulb lies over part of the preview's; the preview must not take it.
    for (const auto& [x0, y0, colour] : {std::tuple(210, 222, bulb), std::tuple(230, 252, liveBulb)})
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 60; ++x)
                sheet.setPixelColor(x0 + x, y0 + y, colour);
    ASSERT_TRUE(sheet.save(QString::fromStdString(dir.Path("Sprites.bmp")), "BMP"));

    auto show = MakeShow(18);
    show->m_tierPresent[3] = false;
    show->m_stepTierLamps[kRecord][2][0] = 1;  // tier 3, column 1: red
    show->m_stepTierLamps[kRecord][3][0] = 1;  // on, but tier 4 is absent
    CChasePreview preview(*show, nullptr);
    const QImage shot = preview.grab().toImage();
    auto g = Preview(*show);
    auto at = [&](CPoint p, int dx, int dy) { return shot.pixelColor(p.x - 360 + dx, p.y - 50 + dy); };
    EXPECT_EQ(shot.pixelColor(5, 7), QColor(200, 100, 50));
    EXPECT_EQ(at(g->row[2].image[0], 6, 3), QColor(255, 0, 0));
    EXPECT_EQ(at(g->row[2].image[5], 6, 9), bulb);
    EXPECT_EQ(at(g->row[4].image[0], 6, 3), bulb);
    CPoint absent{g->row[4].image[0].x + 12, g->row[3].image[0].y};
    EXPECT_EQ(at(absent, 6, 3), sky);
}

}  // namespace
