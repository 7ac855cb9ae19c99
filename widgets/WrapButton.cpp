#include "widgets/WrapButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

CWrapButton::CWrapButton(QWidget* parent)
    : QPushButton(parent)
{
}

void CWrapButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();  // the bevel alone; the text is drawn wrapped below
    painter.drawControl(QStyle::CE_PushButton, option);
    QRect inner = rect().adjusted(4, 2, -4, -2);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    // Shrink the font until the wrapped text fits, so no line is cut off.
    QFont font = painter.font();
    for (qreal size = font.pointSizeF(); size > 5; size -= 0.5) {
        font.setPointSizeF(size);
        if (QFontMetrics(font).boundingRect(inner, flags, text()).height() <= inner.height())
            break;
    }
    painter.setFont(font);
    painter.drawText(inner, flags, text());
}
