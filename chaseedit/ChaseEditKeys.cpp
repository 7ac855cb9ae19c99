// The chase edit screen's keys: the function keys and undo and redo act from any
// control, Escape never closes the screen, Enter in the name box finds the chase in
// the list, and Enter presses only the button that has the focus.
#include "chaseedit/ChaseEditDlg.h"

#include "widgets/HistoryKeys.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

bool CChaseEditDlg::HandleKey(QObject* target, const QKeyEvent* key)
{
    switch (HistoryKeyOf(key)) {
    case HistoryKey::kUndo: OnUndo(); return true;
    case HistoryKey::kRedo: OnRedo(); return true;
    case HistoryKey::kNone: break;
    }
    switch (key->key()) {
    case Qt::Key_F4:
        OnBackStep();
        return true;
    case Qt::Key_F5:
        OnNextStep();
        return true;
    case Qt::Key_F8:
        OnAllLightsOn();
        return true;
    case Qt::Key_F9:
        OnAllLightsOff();
        return true;
    case Qt::Key_F11:
        OnCopyLightSetup();
        return true;
    case Qt::Key_F12:
        OnPasteLightSetup();
        return true;
    case Qt::Key_Escape:
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (target == m_nameBox) {
            OnNameEnter();
            SealHistory();
        }
        // Anywhere else, Enter would press whatever button the dialog made its default.
        return qobject_cast<QPushButton*>(target) == nullptr;
    default:
        return false;
    }
}

bool CChaseEditDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_nameBox && event->type() == QEvent::FocusOut)
        SealHistory();
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this)
        return HandleKey(watched, static_cast<QKeyEvent*>(event));
    return QDialog::eventFilter(watched, event);
}
