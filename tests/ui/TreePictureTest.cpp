#include "widgets/TreeGeometry.h"
#include "widgets/TreePicture.h"
#include "tests/ui/PictureShow.h"

#include <QColor>
#include <QImage>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace picture_test;

namespace {

const QColor kSky(10, 20, 30);
const QColor kBulb(90, 90, 90);

// A sprite sheet whose background and bulb are told apart by colour; the
// background has a marker pixel so the copy's origin can be checked.
QString WriteSprites(const QTemporaryDir& dir)
{
    QImage sheet(CTreePicture::kWidth, CTreePicture::kHeight, QImage::Format_RGB32);
    sheet.fill(kSky);
    sheet.setPixelColor(5, 7, QColor(200, 100, 50));
    for (int y = 252; y < 312; ++y)
        for (int x = 230; x < 290; ++x)
            sheet.setPixelColor(x, y, kBulb);
    const QString path = dir.filePath("Sprites.bmp");
    EXPECT_TRUE(sheet.save(path, "BMP"));
    return path;
}

class TreePictureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(m_picture.LoadSprites(WriteSprites(m_dir)));
        m_show = MakeShow(18);
    }

    QColor At(int x, int y) const { return m_picture.Canvas().pixelColor(x, y); }
    QColor At(CPoint p, int dx, int dy) const { return At(p.x + dx, p.y + dy); }

    std::unique_ptr<CTreeGeometry> Geometry() const
    {
        auto g = std::make_unique<CTreeGeometry>();
        ComputeTreeGeometry(*m_show, *g);
        return g;
    }

    QTemporaryDir m_dir;
    CTreePicture m_picture;
    std::unique_ptr<CShowData> m_show;
};

}  // namespace

TEST_F(TreePictureTest, BackgroundIsCopiedFromTheSheetOriginIntoThePictureRectangle)
{
    m_picture.Render(*m_show);
    EXPECT_EQ(At(360 + 5, 50 + 7), QColor(200, 100, 50));
    EXPECT_EQ(At(360 + 2, 50 + 2), kSky);
    EXPECT_EQ(At(779, 599), kSky);
    EXPECT_EQ(At(359, 300), Qt::black);  // left of the picture stays as it was
}

TEST_F(TreePictureTest, LitLampShowsItsColourAtTheLevelsBrightnessInEveryImageOfItsRow)
{
    m_show->m_stepTierLamps[kRecord][2][0] = 1;  // tier 3, circuit 1: red
    m_show->m_level[kColor1] = 50;
    m_picture.Render(*m_show);
    auto g = Geometry();
    const CTierRow& row3 = g->row[2];
    for (int i = 0; i < row3.imageCount; ++i)
        EXPECT_EQ(At(row3.image[i], 6, 3), QColor(127, 0, 0)) << "image " << i;
    // The rest of the lamp image keeps the unlit bulb; tier 2 is not lit at all.
    EXPECT_EQ(At(row3.image[0], 6, 9), kBulb);
    EXPECT_EQ(At(g->row[1].image[0], 6, 3), kBulb);
}

TEST_F(TreePictureTest, LampsAreNotDrawnAtLevelZeroOrWithAnUndefinedColour)
{
    AllLampsOn(*m_show);
    m_show->m_level[kColor1] = 0;
    m_show->m_level[kColor2] = 100;
    m_show->m_tierColor[0][1] = 9;  // tier 1 circuit 2: colour index without brushes
    m_picture.Render(*m_show);
    auto g = Geometry();
    EXPECT_EQ(At(g->row[0].image[0], 6, 3), kBulb);
    EXPECT_EQ(At(g->row[0].image[0], 6, 6), kBulb);
    EXPECT_EQ(At(g->row[1].image[0], 6, 6), QColor(0, 255, 0));
}

TEST_F(TreePictureTest, ChestCircuitIsDrawnWithTheLevelZeroBrushOfItsColour)
{
    // A level-0 brush that is not black, so the test can see it was used.
    m_show->m_levelBrush[4][0] = CBrush{1, 2, 3, true};
    m_show->m_stepChestLamps[kRecord][2] = 1;
    m_picture.Render(*m_show);
    auto g = Geometry();
    const CPoint bar = g->row[4].chestBar[1];
    EXPECT_EQ(At(bar, 8, 1), QColor(1, 2, 3));  // diamond of circuit 3 at x 8, y 26 of the scratch area
    EXPECT_EQ(At(bar, 4, 1), Qt::black);        // circuit 2 is off: the dark strip shows

    m_show->m_chestPresent = false;
    m_picture.Render(*m_show);
    EXPECT_EQ(At(bar, 8, 1), kSky);
}

TEST_F(TreePictureTest, OutlineDiamondsAreDrawnOnTheCanvasWhenTheirCircuitIsOn)
{
    m_show->m_stepOutlineLamps[kRecord][5] = 1;  // right end of tiers 1, 4, 7...
    m_show->m_level[kOutline] = 100;
    m_picture.Render(*m_show);
    auto g = Geometry();
    EXPECT_EQ(At(g->row[3].outline[3].at, 0, 3), QColor(0, 0, 255));
    EXPECT_EQ(At(g->row[3].outline[0].at, 0, 3), kSky);
    EXPECT_EQ(At(g->row[4].outline[3].at, 0, 3), kSky);
}

TEST_F(TreePictureTest, StarAndCrossShowOnlyAboveLevelZero)
{
    const int starX = 360 + 70, starY = 50 + 70, crossX = 360 + 330, crossY = 50 + 80;
    m_show->m_level[kStar] = 0;
    m_show->m_level[kCross] = 40;
    m_picture.Render(*m_show);
    EXPECT_EQ(At(starX, starY), kSky);
    EXPECT_EQ(At(crossX, crossY), QColor(102, 102, 102));

    m_show->m_level[kStar] = 100;
    m_show->m_crossPresent = false;
    m_picture.Render(*m_show);
    EXPECT_EQ(At(starX, starY), QColor(255, 255, 0));
    EXPECT_EQ(At(crossX, crossY), kSky);  // each paint starts again from the background
}

TEST_F(TreePictureTest, OddTierCountsAndPictureRectanglesDrawOnlyInsideTheCanvas)
{
    AllLampsOn(*m_show);
    AllLevels(*m_show, 100);
    struct Case {
        int tiers, left, top, right, bottom;
    } cases[] = {
        {0, 360, 50, 780, 600}, {19, 360, 50, 780, 600}, {1, 360, 50, 780, 600},
        {18, 700, 500, 1120, 1050}, {18, -500, -400, -80, 150}, {18, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        m_show->m_tierCount = c.tiers;
        m_show->m_pictureLeft = c.left;
        m_show->m_pictureTop = c.top;
        m_show->m_pictureRight = c.right;
        m_show->m_pictureBottom = c.bottom;
        m_picture.Render(*m_show);
        EXPECT_EQ(m_picture.Canvas().size(), QSize(800, 600));
    }
    m_show->m_tierCount = 0;
    m_show->m_pictureLeft = 360;
    m_show->m_pictureTop = 50;
    m_show->m_pictureRight = 780;
    m_show->m_pictureBottom = 600;
    m_picture.Render(*m_show);
    EXPECT_EQ(At(571, 70), kSky);  // no tier rows at all
}

TEST(TreePictureSprites, MissingSheetLeavesBlackSurfacesWithoutAnError)
{
    CTreePicture picture;
    EXPECT_FALSE(picture.LoadSprites("/nonexistent/Sprites.bmp"));
    EXPECT_EQ(picture.Sprites().size(), QSize(800, 600));
    EXPECT_EQ(picture.Sprites().pixelColor(240, 260), Qt::black);
    auto show = MakeShow(18);
    picture.Render(*show);
    EXPECT_EQ(picture.Canvas().pixelColor(400, 300), Qt::black);
}

// With few tiers the sprite cells show in the picture: they used to be black
// blocks with a grey bulb in the sky.
TEST(TreePictureSprites, ShippedSheetHasItsBulbsWhereThePicturesTakeThemOnBlocksThatBlendIn)
{
    const QString sheet = QString(GLIMMER_SOURCE_DIR) + "/app/Sprites.bmp";
    const QImage image(sheet);
    ASSERT_EQ(image.size(), QSize(800, 600));
    auto isBulb = [](QColor c) { return c.red() == c.green() && c.green() == c.blue() && c.value() > 20; };
    const QPoint cells[] = {{230, 252}, {210, 222}};  // the console's and the chase editor's
    for (QPoint cell : cells)
        EXPECT_TRUE(isBulb(image.pixelColor(cell + QPoint(6, 9))));

    CTreePicture picture;
    ASSERT_TRUE(picture.LoadSprites(sheet));
    for (int tiers : {1, 5, 9, 13}) {
        SCOPED_TRACE(tiers);
        auto show = MakeShow(tiers);
        show->m_chestPresent = false;  // its rail is a dark strip by design
        picture.Render(*show);
        for (QPoint cell : cells) {
            // Around the cell, the background the picture copies.
            const QColor around = image.pixelColor(cell + QPoint(-4, 30));
            for (int y = 0; y < 60; ++y)
                for (int x = 0; x < 60; ++x) {
                    const QColor c = picture.Canvas().pixelColor(cell + QPoint(360 + x, 50 + y));
                    const bool blends = std::abs(c.red() - around.red()) <= 12 &&
                                        std::abs(c.green() - around.green()) <= 12 &&
                                        std::abs(c.blue() - around.blue()) <= 12;
                    ASSERT_TRUE(blends || isBulb(c)) << "at " << x << ", " << y << " of cell " << cell.x();
                }
        }
    }
}

TEST(TreePictureSprites, SmallerSheetIsPaddedWithBlack)
{
    QTemporaryDir dir;
    QImage small(100, 80, QImage::Format_RGB32);
    small.fill(QColor(40, 50, 60));
    const QString path = dir.filePath("small.bmp");
    ASSERT_TRUE(small.save(path, "BMP"));
    CTreePicture picture;
    ASSERT_TRUE(picture.LoadSprites(path));
    EXPECT_EQ(picture.Sprites().pixelColor(99, 79), QColor(40, 50, 60));
    EXPECT_EQ(picture.Sprites().pixelColor(100, 80), Qt::black);
}

TEST(TreePictureSprites, ClearBlanksTheCanvas)
{
    QTemporaryDir dir;
    CTreePicture picture;
    ASSERT_TRUE(picture.LoadSprites(WriteSprites(dir)));
    picture.Render(*MakeShow(18));
    ASSERT_EQ(picture.Canvas().pixelColor(365, 55), kSky);
    picture.Clear();
    EXPECT_EQ(picture.Canvas().pixelColor(365, 55), Qt::black);
}
