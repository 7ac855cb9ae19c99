#include "widgets/AppIcon.h"

#include <QPainter>
#include <QPixmap>

#include <cmath>

namespace {

QPolygonF Box(double left, double top, double width, double height)
{
    return QPolygonF(QRectF(left, top, width, height));
}

// Points on a circle about (cx, cy) from angle `from` through `turn`, in `corners`
// steps: a whole turn makes a round lamp, a quarter turn a rounded corner.
QPolygonF Arc(double cx, double cy, double r, double from, double turn, int corners)
{
    QPolygonF arc;
    for (int i = 0; i <= corners; ++i) {
        const double angle = from + turn * i / corners;
        arc << QPointF(cx + r * std::cos(angle), cy + r * std::sin(angle));
    }
    return arc;
}

QPolygonF RoundedSquare(double r)
{
    QPolygonF square;
    const QPointF centres[] = {{1 - r, 1 - r}, {r, 1 - r}, {r, r}, {1 - r, r}};
    for (int k = 0; k < 4; ++k)
        square << Arc(centres[k].x(), centres[k].y(), r, k * M_PI / 2, M_PI / 2, 6);
    return square;
}

QPolygonF Triangle(double apexY, double baseY, double halfWidth)
{
    return QPolygonF({QPointF(0.5, apexY), QPointF(0.5 + halfWidth, baseY), QPointF(0.5 - halfWidth, baseY)});
}

QPolygonF Star(double cx, double cy, double outer, double inner)
{
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double angle = M_PI * i / 5 - M_PI / 2;
        const double r = i % 2 == 0 ? outer : inner;
        star << QPointF(cx + r * std::cos(angle), cy + r * std::sin(angle));
    }
    return star;
}

}  // namespace

std::vector<IconShape> AppIconShapes()
{
    const QColor night(12, 20, 48), fir(0, 150, 40), trunk(110, 70, 30);
    const QColor red(255, 40, 40), blue(60, 120, 255), yellow(255, 220, 0), white(255, 255, 255);
    // Lamps big enough to stay two pixels wide in the 16-pixel icon.
    auto lampAt = [](double x, double y) { return Arc(x, y, 0.065, 0, 2 * M_PI, 16); };
    return {
        {night, RoundedSquare(0.14)},
        {trunk, Box(0.43, 0.82, 0.14, 0.14)},
        {fir, Triangle(0.56, 0.86, 0.44)},
        {fir, Triangle(0.36, 0.66, 0.34)},
        {fir, Triangle(0.16, 0.46, 0.24)},
        {yellow, Star(0.5, 0.13, 0.12, 0.05)},
        {red, lampAt(0.40, 0.40)},
        {blue, lampAt(0.62, 0.56)},
        {white, lampAt(0.34, 0.74)},
        {red, lampAt(0.70, 0.79)},
        {yellow, lampAt(0.52, 0.72)},
    };
}

QImage AppIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.scale(size, size);
    for (const IconShape& shape : AppIconShapes()) {
        painter.setBrush(shape.colour);
        painter.drawPolygon(shape.outline);
    }
    return image;
}

QIcon AppIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128})
        icon.addPixmap(QPixmap::fromImage(AppIconImage(size)));
    return icon;
}
