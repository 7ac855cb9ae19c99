#include "app/WrapButton.h"

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
    painter.drawText(inner, Qt::AlignCenter | Qt::TextWordWrap, text());
}
