#pragma once
// The program's icon, drawn in code: a lit tree of three tiers with its star, on a
// night ground. The window takes it from here, and the package's icon files are
// drawn from the same shapes, so the menu and the window show the same picture.

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPolygonF>

#include <vector>

// One filled shape of the icon, in a square of side 1 (y downwards), painted in order.
struct IconShape {
    QColor colour;
    QPolygonF outline;
};

std::vector<IconShape> AppIconShapes();
// The icon painted `size` pixels square (transparent where no shape lies).
QImage AppIconImage(int size);
QIcon AppIcon();
