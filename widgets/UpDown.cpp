#include "widgets/UpDown.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

CUpDown::CUpDown(QLineEdit* buddy, QWidget* parent)
    : QWidget(parent)
    , m_buddy(buddy)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int delta : {1, -1}) {
        auto* arrow = new QToolButton(this);
        arrow->setObjectName(delta > 0 ? "up" : "down");
        arrow->setArrowType(delta > 0 ? Qt::UpArrow : Qt::DownArrow);
        arrow->setAutoRepeat(true);
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        connect(arrow, &QToolButton::clicked, this, [this, delta] { Step(delta); });
        layout->addWidget(arrow);
    }
}

void CUpDown::SetRange(int lowest, int highest)
{
    m_lowest = lowest;
    m_highest = highest;
}

void CUpDown::Step(int delta)
{
    bool number = false;
    const long long now = m_buddy->text().toLongLong(&number);
    const long long next = std::clamp<long long>((number ? now : 0) + delta, m_lowest, m_highest);
    m_buddy->setText(QString::number(next));
}
