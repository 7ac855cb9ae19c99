// The parameter panel: shows the one selected cue and writes each change the
// operator makes into it.
#include "cueedit/CueEditDlg.h"

#include "chaseedit/ChaseEditDlg.h"
#include "document/LineReader.h"
#include "widgets/FieldValidators.h"
#include "widgets/UpDown.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QSlider>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <strings.h>

namespace {

const char* const kNoChase = "# none";

int ValueOf(const CShowData& doc, int cue, CueValue value)
{
    switch (value) {
    case CueValue::kFadeTime: return doc.m_cueFadeTime[cue];
    case CueValue::kChaseSpeed: return doc.m_cueChaseSpeed[cue];
    case CueValue::kRunCount: return doc.m_cueRunCount[cue];
    case CueValue::kActiveTime: return doc.m_cueActiveTime[cue];
    }
    return 0;
}

QByteArray ChaseName(const QListWidgetItem* item)
{
    return item->data(Qt::UserRole).toByteArray();
}

}  // namespace

void CCueEditDlg::ShowPanel(bool show)
{
    for (QWidget* control : m_panel)
        control->setVisible(show);
}

void CCueEditDlg::RefreshPanel()
{
    m_nameNote->clear();
    m_name->setReadOnly(m_editCue == 0);
    if (m_editCue == 0) {
        m_name->clear();
        m_location->clear();
        m_chaseBox->clear();
        ShowPanel(false);
        return;
    }
    const int cue = m_doc.m_currentCue;
    SelectCurrentCue();
    m_shownName = m_doc.m_cueName[cue];
    m_name->setText(QString::fromLocal8Bit(m_shownName));
    m_location->setText(QString::number(cue));
    // Filling the controls is not the operator changing them: nothing is written back.
    m_filling = true;
    for (int k = 0; k < kChannels; ++k) {
        m_bar[k]->setValue(std::clamp(m_doc.m_cueLevel[k][cue - 1], 0, 100));
        m_slider[k]->setValue(std::abs(m_doc.m_cueLevel[k][cue] - 100));
    }
    ShowChase();
    m_activeTimeDigits->SetShown(QString::number(m_doc.m_cueActiveTime[cue]));
    for (const ValueBox& v : m_values)
        v.box->setText(QString::number(ValueOf(m_doc, cue, v.value)));
    m_reverse->setChecked(!m_doc.m_cueForward[cue]);
    m_filling = false;
    ShowPanel(true);
}

// Selects the cue's chase in the chase list; a chase the list does not hold
// (deleted, or never there) gives way to the list's first entry. Names are told
// apart byte for byte, as the show finds a cue's chase.
void CCueEditDlg::ShowChase()
{
    const char* chase = m_doc.m_cueChase[m_doc.m_currentCue];
    m_chaseBox->setText(QString::fromLocal8Bit(chase));
    int found = -1;
    for (int i = 0; i < m_chaseList->count() && found < 0; ++i)
        if (std::strncmp(ChaseName(m_chaseList->item(i)).constData(), chase, kNameSize) == 0)
            found = i;
    // What an undo restored is shown as it is: the fall-back would undo the undo.
    const bool fallBack = found < 0 && !m_restoring;
    {
        QSignalBlocker quiet(m_chaseList);
        if (fallBack || found >= 0)
            m_chaseList->setCurrentRow(std::max(found, 0));
        else
            m_chaseList->clearSelection();
    }
    if (m_chaseList->currentItem() != nullptr)
        m_chaseList->scrollToItem(m_chaseList->currentItem(), QAbstractItemView::PositionAtTop);
    if (!fallBack)
        return;
    // Showing a cue is no change of the operator's: the fall-back goes back with the
    // step before it (a chase renamed or deleted), so an undo never gives the cue
    // back a chase the list no longer holds.
    CHistory* history = m_doc.m_history;
    if (history != nullptr)
        history->JoinNext(true);
    OnSelectedChaseChange();
    if (history != nullptr)
        history->JoinNext(false);
}

void CCueEditDlg::FillChaseList()
{
    std::vector<std::string> names;
    m_doc.FillNameList(names, "chase");
    names.push_back(kNoChase);
    std::stable_sort(names.begin(), names.end(),
                     [](const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) < 0; });
    QSignalBlocker quiet(m_chaseList);
    m_chaseList->clear();
    // Each entry keeps the name's own bytes, so choosing it stores exactly the
    // chase's name whatever its characters.
    for (const std::string& name : names) {
        auto* item = new QListWidgetItem(QString::fromLocal8Bit(name.c_str()), m_chaseList);
        item->setData(Qt::UserRole, QByteArray(name.c_str()));
    }
}

void CCueEditDlg::OnLevelReleased(int channel)
{
    if (m_filling || m_editCue == 0)
        return;
    m_doc.SetCueLevel(m_doc.m_currentCue, channel, std::abs(m_slider[channel]->value() - 100));
    if (!m_slider[channel]->isSliderDown())
        SealHistory();  // a click or a key moved it; a drag ends at the release
}

// The box shows the value and the cue stores what the box shows.
void CCueEditDlg::OnValueUpdate(CueValue value)
{
    if (m_filling || m_editCue == 0)
        return;
    for (const ValueBox& v : m_values)
        if (v.value == value)
            m_doc.SetCueValue(m_doc.m_currentCue, value, LeadingNumber(v.box->text().toLatin1().constData()));
}

void CCueEditDlg::OnReverseClicked()
{
    if (m_editCue == 0)
        return;
    const int cue = m_doc.m_currentCue;
    m_doc.SetCueForward(cue, !m_doc.m_cueForward[cue]);
    m_reverse->setChecked(!m_doc.m_cueForward[cue]);
}

void CCueEditDlg::OnSelectedChaseChange()
{
    const QList<QListWidgetItem*> selected = m_chaseList->selectedItems();
    if (m_editCue == 0)
        return;
    if (selected.isEmpty()) {
        ShowChase();  // a click that takes the highlight away chooses no chase: the cue keeps its own
        return;
    }
    m_doc.SetCueChase(m_doc.m_currentCue, ChaseName(selected.first()).constData());
    m_chaseBox->setText(selected.first()->text());
}

void CCueEditDlg::OnEditChase()
{
    RunChaseEditor();
}

// The chase edit screen opens on the chosen chase, named in its own field and in
// the shared text buffer. Afterwards the chase list offers what was made, renamed
// or deleted there, and the cue list what an undo there gave back.
void CCueEditDlg::RunChaseEditor()
{
    const QList<QListWidgetItem*> selected = m_chaseList->selectedItems();
    const QByteArray name = selected.isEmpty() ? QByteArray() : ChaseName(selected.first());
    CopyCut(m_doc.m_text, sizeof m_doc.m_text, name.constData());
    CChaseEditDlg chases(m_doc, this);
    CopyCut(chases.m_chaseName, kNameSize, name.constData());
    chases.exec();
    RefillCueList();
    if (m_editCue != 0 && m_doc.m_currentCue > m_cueList->count())
        m_editCue = 0;
    FillChaseList();
    RefreshPanel();  // a cue whose chase went there falls back with the step that took it
    RefreshCopyList();  // an undo there may have moved or taken away copied cues
}
