#include "console/LiveKeys.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

ELiveKey LiveKeyOf(int key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return ELiveKey::kNone;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_PageDown:
        return ELiveKey::kGo;
    case Qt::Key_PageUp:
    case Qt::Key_Backspace:
        return ELiveKey::kBack;
    case Qt::Key_B:
    case Qt::Key_Period:
        return ELiveKey::kBlackout;
    case Qt::Key_Escape:
        return ELiveKey::kSwallow;
    default:
        return ELiveKey::kNone;
    }
}

bool TakesTyping(const QObject* widget)
{
    if (const auto* line = qobject_cast<const QLineEdit*>(widget))
        return !line->isReadOnly();
    if (const auto* text = qobject_cast<const QTextEdit*>(widget))
        return !text->isReadOnly();
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(widget))
        return !plain->isReadOnly();
    if (const auto* combo = qobject_cast<const QComboBox*>(widget))
        return combo->isEditable();
    return qobject_cast<const QAbstractSpinBox*>(widget) != nullptr;
}
