#include "widgets/TreePicture.h"

#include "widgets/TreeGeometry.h"
#include "document/ShowData.h"
#include "document/ShowFileIn.h"

#include <QPainter>
#include <QPolygon>
#include <QWidget>
#include <algorithm>
#include <cstring>

namespace {

// The scratch area in the canvas's top-left corner, outside the picture rectangle.
constexpr int kScratch = 60;
constexpr int kLampWidth = 15, kLampHeight = 21;
constexpr int kBarY = 25, kBarWidth = 24, kBarHeight = 4;

QImage BlackSurface()
{
    QImage image(CTreePicture::kWidth, CTreePicture::kHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

// Fills a polygon with the lamp's brush when the lamp is drawn at all.
template <int N>
void Fill(QPainter& painter, const CLampState& lamp, const CPoint (&points)[N], int count = N)
{
    if (!lamp.lit || !lamp.brush.made)
        return;
    QPoint q[N];
    for (int i = 0; i < count; ++i)
        q[i] = QPoint(points[i].x, points[i].y);
    painter.setBrush(QColor(lamp.brush.red, lamp.brush.green, lamp.brush.blue));
    painter.drawPolygon(q, count);
}

}  // namespace

CTreePicture::CTreePicture() : m_sprites(BlackSurface()), m_canvas(BlackSurface()) {}

bool CTreePicture::LoadSprites(const QString& path)
{
    m_sprites = BlackSurface();
    QImage loaded;
    // A pipe or a device in the sheet's place would hang the load; the picture then stays black.
    const bool read = IsRegularFile(path.toLocal8Bit().toStdString()) && loaded.load(path);
    if (read) {
        // Any size is accepted; the sheet keeps 800x600 so every source area stays inside it.
        QPainter painter(&m_sprites);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, loaded.convertToFormat(QImage::Format_RGB32));
    }
    Clear();
    return read;
}

void CTreePicture::Clear()
{
    m_canvas.fill(Qt::black);
}

void CTreePicture::Blit(int dx, int dy, const QImage& source, int sx, int sy, int w, int h)
{
    // Clip against the source and the destination, shifting both corners together.
    if (sx < 0) { dx -= sx; w += sx; sx = 0; }
    if (sy < 0) { dy -= sy; h += sy; sy = 0; }
    if (dx < 0) { sx -= dx; w += dx; dx = 0; }
    if (dy < 0) { sy -= dy; h += dy; dy = 0; }
    w = std::min({w, source.width() - sx, m_canvas.width() - dx});
    h = std::min({h, source.height() - sy, m_canvas.height() - dy});
    if (w <= 0 || h <= 0)
        return;
    uchar* bits = m_canvas.bits();
    const uchar* from = source.constBits();
    const qsizetype toStride = m_canvas.bytesPerLine();
    const qsizetype fromStride = source.bytesPerLine();
    for (int y = 0; y < h; ++y)
        std::memmove(bits + (dy + y) * toStride + dx * 4, from + (sy + y) * fromStride + sx * 4,
                     static_cast<size_t>(w) * 4);
}

void CTreePicture::DrawTiers(QPainter& painter, const CTreeGeometry& g, int bulbX, int bulbY)
{
    for (int t = g.tierCount; t >= 1; --t) {
        const CTierRow& row = g.row[t - 1];
        Blit(0, 0, m_sprites, bulbX, bulbY, kScratch, kScratch);
        for (int c = 0; c < kCircuits; ++c) {
            CPoint stripe[6];
            StripePolygon(c, stripe);
            Fill(painter, row.stripe[c], stripe);
        }
        for (int i = 0; i < row.imageCount; ++i)
            Blit(row.image[i].x, row.image[i].y, m_canvas, 0, 0, kLampWidth, kLampHeight);
    }
}

void CTreePicture::DrawChestRail(QPainter& painter, const CTreeGeometry& g)
{
    // The bar is built on a dark strip: the sheet area it would come from lies
    // beyond the sheet's right edge.
    painter.fillRect(0, 0, kScratch, kScratch, Qt::black);
    for (int j = 0; j < kCircuits; ++j) {
        CPoint diamond[6];
        ChestDiamond(j, diamond);
        Fill(painter, g.chest[j], diamond);
    }
    for (int t = g.tierCount; t >= 1; --t) {
        const CTierRow& row = g.row[t - 1];
        for (int k = 0; k < row.chestBarCount; ++k)
            Blit(row.chestBar[k].x, row.chestBar[k].y, m_canvas, 0, kBarY, kBarWidth, kBarHeight);
    }
    painter.fillRect(0, 0, kScratch, kScratch, Qt::black);
}

void CTreePicture::DrawOutline(QPainter& painter, const CTreeGeometry& g)
{
    for (int t = g.tierCount; t >= 1; --t) {
        for (const COutlineLamp& lamp : g.row[t - 1].outline) {
            CPoint diamond[6];
            OutlineDiamond(lamp.at, diamond);
            Fill(painter, lamp.state, diamond);
        }
    }
}

void CTreePicture::Render(const CShowData& show)
{
    CTreeGeometry g;
    ComputeTreeGeometry(show, g);
    Render(show, g);
}

void CTreePicture::Render(const CShowData& show, const CTreeGeometry& g)
{
    Paint(show, g, kBulbX, kBulbY);
}

void CTreePicture::Paint(const CShowData& show, const CTreeGeometry& g, int bulbX, int bulbY)
{
    (void)m_canvas.bits();  // detach before the painter and the block copies share the buffer
    Blit(show.m_pictureLeft, show.m_pictureTop, m_sprites, 0, 0, show.m_pictureRight - show.m_pictureLeft,
         show.m_pictureBottom - show.m_pictureTop);

    QPainter painter(&m_canvas);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    DrawTiers(painter, g, bulbX, bulbY);
    DrawChestRail(painter, g);
    DrawOutline(painter, g);
    Fill(painter, g.star.state, g.star.point, g.star.count);
    Fill(painter, g.cross.state, g.cross.point, g.cross.count);
}

QRect CTreePicture::Area(const CShowData& show)
{
    return QRect(QPoint(show.m_pictureLeft, show.m_pictureTop),
                 QPoint(show.m_pictureRight - 1, show.m_pictureBottom - 1));
}

void CTreePicture::ShowIn(QWidget* widget, const CShowData& show) const
{
    const QRect area = Area(show);
    QPainter painter(widget);
    if (area.size() != widget->size())
        painter.fillRect(widget->rect(), Qt::black);
    if (area.isValid())
        painter.drawImage(QPoint(0, 0), m_canvas, area);
}
