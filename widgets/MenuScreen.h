#pragma once
// A screen of fixed size: its menu bar above a client area that holds the controls.

#include <QMenuBar>
#include <QVBoxLayout>

inline void PlaceMenuAndClient(QWidget* screen, QMenuBar* bar, QWidget* client)
{
    auto* layout = new QVBoxLayout(screen);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(bar);
    layout->addWidget(client);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
