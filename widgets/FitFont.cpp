#include "widgets/FitFont.h"

#include <QFontMetrics>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace {

constexpr qreal kSmallestPoint = 5;
constexpr int kSidePadding = 2;  // keeps the text off the bevel

// The width a label may take inside the button's bevel.
int FaceWidth(QPushButton* button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.rect = QRect(QPoint(0, 0), button->size());
    return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width() -
           2 * kSidePadding;
}

}  // namespace

void FitFont(QPushButton* button, const QStringList& texts)
{
    const int room = FaceWidth(button);
    QFont font = button->font();
    for (qreal size = font.pointSizeF(); size > kSmallestPoint; size -= 0.5) {
        font.setPointSizeF(size);
        const QFontMetrics metrics(font);
        bool fits = true;
        for (const QString& text : texts)
            fits = fits && metrics.horizontalAdvance(text) <= room;
        if (fits)
            break;
    }
    button->setFont(font);
}

void FitTextFont(QWidget* widget, const QString& text)
{
    const int room = widget->width() - 4 * kSidePadding;  // frame and margins of an edit
    QFont font = widget->font();
    for (qreal size = QFont().pointSizeF(); size > kSmallestPoint; size -= 0.5) {
        font.setPointSizeF(size);
        if (QFontMetrics(font).horizontalAdvance(text) <= room)
            break;
    }
    widget->setFont(font);
}
