#include "widgets/HistoryKeys.h"

#include "document/History.h"

#include <QAction>
#include <QKeyEvent>
#include <string>

namespace {

void ShowAction(QAction* action, const char* verb, const std::string& what, const char* keys)
{
    QString text = verb;
    if (!what.empty())
        text += ' ' + QString::fromLocal8Bit(what.c_str()).replace('&', "&&");  // a name's "&" is no shortcut
    action->setText(text + '\t' + keys);
    action->setEnabled(!what.empty());
}

}  // namespace

HistoryKey HistoryKeyOf(const QKeyEvent* key)
{
    const Qt::KeyboardModifiers held = key->modifiers() & ~Qt::KeypadModifier;
    if (key->key() == Qt::Key_Z && held == Qt::ControlModifier)
        return HistoryKey::kUndo;
    if ((key->key() == Qt::Key_Y && held == Qt::ControlModifier) ||
        (key->key() == Qt::Key_Z && held == (Qt::ControlModifier | Qt::ShiftModifier)))
        return HistoryKey::kRedo;
    return HistoryKey::kNone;
}

void ShowHistoryActions(QAction* undo, QAction* redo, const CHistory* history)
{
    ShowAction(undo, "&Undo", history != nullptr ? history->UndoText() : std::string(), "Ctrl+Z");
    ShowAction(redo, "&Redo", history != nullptr ? history->RedoText() : std::string(), "Ctrl+Y");
}
