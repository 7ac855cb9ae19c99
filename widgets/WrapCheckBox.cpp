#include "widgets/WrapCheckBox.h"

#include <QStyleOptionButton>
#include <QStylePainter>

CWrapCheckBox::CWrapCheckBox(const QString& text, QWidget* parent)
    : QCheckBox(text, parent)
{
}

void CWrapCheckBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    QRect box = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    box.moveTop((height() - box.height()) / 2);
    option.rect = box;
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, option);
    QRect text = rect().adjusted(box.right() + 6, 0, 0, 0);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, this->text());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = text;
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool CWrapCheckBox::hitButton(const QPoint& pos) const
{
    return rect().contains(pos);
}
