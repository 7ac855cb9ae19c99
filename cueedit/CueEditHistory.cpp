// The cue edit screen's Edit menu: undo and redo of the last change, and showing
// at once what they restored.
#include "cueedit/CueEditDlg.h"

#include "widgets/HistoryKeys.h"

#include <QListWidget>

void CCueEditDlg::OnUndo()
{
    if (m_doc.m_history != nullptr)
        ShowRestored(m_doc.m_history->Undo(m_doc));
}

void CCueEditDlg::OnRedo()
{
    if (m_doc.m_history != nullptr)
        ShowRestored(m_doc.m_history->Redo(m_doc));
}

// The cue the step was made on is selected again and its panel shown; a step that
// left no cue there (an insert undone, a delete redone) leaves none selected.
void CCueEditDlg::ShowRestored(const CStepDone& done)
{
    if (!done.done)
        return;
    if ((done.tables & kStepTable) != 0)
        FillChaseList();
    if ((done.tables & kCueTable) != 0) {
        RefillCueList();
        m_editCue = 0;
        const int cue = done.place.cue;
        if (cue >= 1 && cue <= m_cueList->count()) {
            m_doc.StartCue(cue);
            m_editCue = cue;
        }
    }
    m_restoring = true;
    RefreshPanel();
    m_restoring = false;
    UpdateEditMenu();
    if ((done.tables & kCueTable) != 0)
        RefreshCopyList();  // the copied cues moved with the cues the step brought back or took away
}

void CCueEditDlg::UpdateEditMenu()
{
    ShowHistoryActions(m_undo, m_redo, m_doc.m_history);
}

void CCueEditDlg::SealHistory()
{
    if (m_doc.m_history != nullptr)
        m_doc.m_history->Seal();
}
