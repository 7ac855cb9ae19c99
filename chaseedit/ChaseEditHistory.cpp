// Undo and redo in the chase edit screen, and showing at once what they restored.
#include "chaseedit/ChaseEditDlg.h"

#include "document/LineReader.h"

void CChaseEditDlg::OnUndo()
{
    if (m_doc.m_history != nullptr)
        ShowRestored(m_doc.m_history->Undo(m_doc));
}

void CChaseEditDlg::OnRedo()
{
    if (m_doc.m_history != nullptr)
        ShowRestored(m_doc.m_history->Redo(m_doc));
}

// A step of the cue editor changes nothing here. A chase step brings back its chase
// on its step; one that left no chase (a delete redone) leaves none on display.
void CChaseEditDlg::ShowRestored(const CStepDone& done)
{
    if (!done.done || (done.tables & kStepTable) == 0)
        return;
    const int r = done.place.record;
    CopyCut(m_chaseName, kNameSize, r > 0 && r < kStepRecords ? m_doc.m_stepChase[r] : "");
    CopyCut(m_doc.m_text, kNameSize, m_chaseName);
    m_doc.LoadChase(m_chaseName);
    if (done.place.step >= 1 && done.place.step <= m_doc.m_chaseStepCount)
        m_doc.m_chaseStep = done.place.step;
    FillChaseList();
    RefreshChase();
}

void CChaseEditDlg::SealHistory()
{
    if (m_doc.m_history != nullptr)
        m_doc.m_history->Seal();
}
