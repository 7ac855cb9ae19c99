#pragma once
// Typing letters QTest's key clicks cannot name (anything beyond Latin-1 ASCII keys):
// each arrives as a key press carrying its text, as from a keyboard that has it.

#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

inline void TypeLetters(QWidget* box, const QString& text)
{
    for (const QChar letter : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(letter));
        QApplication::sendEvent(box, &press);
    }
}
