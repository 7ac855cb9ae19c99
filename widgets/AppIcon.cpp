#include "widgets/AppIcon.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygon>

QIcon AppIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::black);
        QPainter painter(&pixmap);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 160, 0));
        painter.drawPolygon(QPolygon({QPoint(size / 2, 1), QPoint(size - 2, size - 4), QPoint(1, size - 4)}));
        painter.setBrush(QColor(255, 255, 0));
        int dot = size / 8 + 1;
        painter.drawRect(size / 2 - dot / 2, 0, dot, dot);
        painter.setBrush(QColor(255, 0, 0));
        painter.drawRect(size / 3, size / 2, dot, dot);
        painter.setBrush(QColor(0, 0, 255));
        painter.drawRect(size * 3 / 5, size * 2 / 3, dot, dot);
        icon.addPixmap(pixmap);
    }
    return icon;
}
