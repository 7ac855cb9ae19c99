// The editing lock: while it holds, nothing on the console opens an editor, the
// layout screen or the port setup, so a click in the middle of a show cannot stop it.
#include "console/MainDlg.h"

#include "console/ConsoleTexts.h"
#include "console/LiveKeys.h"
#include "document/Operator.h"
#include "document/ShowData.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <algorithm>

void CMainDlg::BuildLiveMenu(QMenu* config, QMenu* help)
{
    config->addSeparator();
    m_lockAction = config->addAction(kLockEditingText, this, &CMainDlg::OnLockEditing);
    m_lockAction->setObjectName("32790");
    m_lockAction->setStatusTip("Grey every editor, the tree layout and the port setup for the show.");
    m_unlockAction = config->addAction(kUnlockEditingText, this, &CMainDlg::OnUnlockEditing);
    m_unlockAction->setObjectName("32791");
    m_unlockAction->setStatusTip("Let the editors, the tree layout and the port setup be opened again.");
    m_unlockAction->setVisible(false);

    QAction* keys = new QAction("&Keys", help);
    keys->setObjectName("32792");
    connect(keys, &QAction::triggered, this, &CMainDlg::OnKeysHelp);
    const QList<QAction*> entries = help->actions();
    help->insertAction(entries.isEmpty() ? nullptr : entries.first(), keys);

    // What the lock greys on the console itself; other screens' entries register the same way.
    for (const char* id : {"32771", "32773"})
        if (QAction* entry = findChild<QAction*>(id))
            LockWithEditing(entry);
    if (QPushButton* edit = findChild<QPushButton*>("1005"))
        LockWithEditing(edit);
}

bool CMainDlg::EditingLocked() const
{
    return m_doc.m_editingLocked;
}

void CMainDlg::SetEditingLocked(bool locked)
{
    m_doc.m_editingLocked = locked;
    std::erase_if(m_lockedActions, [](const QPointer<QAction>& a) { return a.isNull(); });
    std::erase_if(m_lockedWidgets, [](const QPointer<QWidget>& w) { return w.isNull(); });
    for (const QPointer<QAction>& action : m_lockedActions)
        action->setEnabled(!locked);
    for (const QPointer<QWidget>& widget : m_lockedWidgets)
        widget->setEnabled(!locked);
    if (m_lockAction != nullptr) {
        m_lockAction->setVisible(!locked);
        m_unlockAction->setVisible(locked);
    }
}

void CMainDlg::LockWithEditing(QAction* action)
{
    if (action == nullptr)
        return;
    m_lockedActions.emplace_back(action);
    action->setEnabled(!EditingLocked());
}

void CMainDlg::LockWithEditing(QWidget* widget)
{
    if (widget == nullptr)
        return;
    m_lockedWidgets.emplace_back(widget);
    widget->setEnabled(!EditingLocked());
}

void CMainDlg::OnLockEditing()
{
    SetEditingLocked(true);
}

void CMainDlg::OnUnlockEditing()
{
    if (!EditingLocked())
        return;
    if (m_doc.m_operator != nullptr && m_doc.m_operator->Ask(kUnlockQuestion, "Question"))
        SetEditingLocked(false);
}

void CMainDlg::OnKeysHelp()
{
    if (m_doc.m_operator != nullptr)
        m_doc.m_operator->Message(kKeysHelpText, "Keys");
}
