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

TEST(ChasePreviewGeometry, KeepsTheEighteenTierPlacesAndLeavesAbsentTiersEmpty)
{
    auto show = MakeShow(9);  // tiers 10 to 18 absent
    show->m_tierPresent[4] = false;
    AllLampsOn(*show);
    auto full = MakeShow(18);
    CTreeGeometry live;
    ComputeTreeGeometry(*full, live);
    auto g = Preview(*show);
    EXPECT_EQ(g->rowStep, 28);
    for (int t = 1; t <= kTiers; ++t) {
        SCOPED_TRACE(t);
        const CTierRow& row = g->row[t - 1];
        const bool present = t <= 9 && t != 5;
        EXPECT_EQ(row.imageCount, present ? 2 * t : 0);
        EXPECT_EQ(row.chestBarCount, present ? t : 0);
        EXPECT_EQ(row.outline[0].state.lit, present);
        EXPECT_EQ(row.outline[3].at.x, live.row[t - 1].outline[3].at.x);
        if (present) {
            EXPECT_EQ(row.image[0].x, live.row[t - 1].image[0].x);
            EXPECT_EQ(row.image[0].y, live.row[t - 1].image[0].y);
            EXPECT_EQ(row.chestBar[t - 1].x, live.row[t - 1].chestBar[t - 1].x);
        }
    }
}

TEST(ChasePreviewGeometry, LampsThatAreOnShowAtFullLevelWhateverTheChannelsSay)
{
    auto show = MakeShow(18);
    show->m_stepTierLamps[kRecord][2][0] = 1;
    show->m_stepChestLamps[kRecord][1] = 1;
    AllLevels(*show, 0);
    auto g = Preview(*show);
    EXPECT_TRUE(g->row[2].stripe[0].lit);
    EXPECT_FALSE(g->row[2].stripe[1].lit);
    EXPECT_EQ(g->row[2].stripe[0].brush.red, 255);
    EXPECT_TRUE(g->chest[1].lit);
    EXPECT_EQ(g->chest[1].brush.green, 255);  // yellow at full level
    // Star and cross still follow their channels.
    EXPECT_FALSE(g->star.state.lit);
    show->m_level[kStar] = 1;
    EXPECT_TRUE(Preview(*show)->star.state.lit);
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
