// The cue edit screen's keyboard: Enter and Escape never end it, and the arrow and
// page keys move the level of the slider that has the focus.
#include "cueedit/CueEditDlg.h"

#include "widgets/FieldValidators.h"
#include "widgets/HistoryKeys.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <cstdlib>

bool CCueEditDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_name && event->type() == QEvent::FocusOut)
        OnCueNameDone();
    if (watched == m_activeTime && event->type() == QEvent::FocusOut) {
        SealHistory();  // the digits typed so far are one step
        ShowActiveTime();
    }
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this)
        return HandleKey(static_cast<QWidget*>(watched), static_cast<QKeyEvent*>(event));
    return QDialog::eventFilter(watched, event);
}

// True when the key is used up here and must reach no control.
bool CCueEditDlg::HandleKey(QWidget* target, const QKeyEvent* key)
{
    struct Nudge {
        int key;
        int delta;
    };
    static const Nudge kNudges[] = {
        {Qt::Key_Up, 1},         {Qt::Key_Down, -1}, {Qt::Key_PageUp, 10},
        {Qt::Key_PageDown, -10}, {Qt::Key_Home, 100}, {Qt::Key_End, -100},
    };
    switch (HistoryKeyOf(key)) {
    case HistoryKey::kUndo: OnUndo(); return true;
    case HistoryKey::kRedo: OnRedo(); return true;
    case HistoryKey::kNone: break;
    }
    for (const Nudge& nudge : kNudges) {
        if (key->key() == nudge.key) {
            NudgeLevel(nudge.delta);
            return true;
        }
    }
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (target == m_name)
            OnCueNameDone();  // Enter applies a typed name, as leaving the box does
        if (target == m_activeTime)
            ShowActiveTime();
        SealHistory();
        return true;
    case Qt::Key_Escape:
        return true;
    default:
        return target == m_activeTime && RefuseActiveTimeKey(key);
    }
}

// The active time box takes typed digits only, at most five of them; its validator
// turns any digit into an ASCII one.
bool CCueEditDlg::RefuseActiveTimeKey(const QKeyEvent* key) const
{
    if (key->matches(QKeySequence::Paste))
        return true;
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return false;
    if (!text.at(0).isDigit())
        return true;
    return m_activeTime->text().size() - m_activeTime->selectedText().size() >= kActiveTimeDigits;
}

void CCueEditDlg::NudgeLevel(int delta)
{
    for (int k = 0; k < kChannels; ++k) {
        if (m_slider[k] != focusWidget() || m_editCue == 0)
            continue;
        const int cue = m_doc.m_currentCue;
        m_doc.SetCueLevel(cue, k, m_doc.m_cueLevel[k][cue] + delta);
        QSignalBlocker quiet(m_slider[k]);
        m_slider[k]->setValue(std::abs(m_doc.m_cueLevel[k][cue] - 100));
        SealHistory();  // each key press is a step
    }
}

// An emptied box, or leading zeros, stood for what the cue holds: now it says it.
void CCueEditDlg::ShowActiveTime()
{
    if (m_editCue == 0)
        return;
    const QString held = QString::number(m_doc.m_cueActiveTime[m_doc.m_currentCue]);
    if (m_activeTime->text() == held)
        return;
    m_filling = true;  // showing the value is not storing it
    m_activeTimeDigits->SetShown(held);
    m_activeTime->setText(held);
    m_filling = false;
}
