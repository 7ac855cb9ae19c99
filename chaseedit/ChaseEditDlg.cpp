#include "chaseedit/ChaseEditDlg.h"

#include "chaseedit/ChaseEditTexts.h"
#include "chaseedit/ChasePreview.h"
#include "chaseedit/LampGrid.h"
#include "document/Operator.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <cstring>

CChaseEditDlg::CChaseEditDlg(CShowData& doc, QWidget* parent)
    : QDialog(parent)
    , m_doc(doc)
{
    setWindowTitle("Chase Edit Screen");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    BuildControls();
    qApp->installEventFilter(this);
}

CChaseEditDlg::~CChaseEditDlg()
{
    qApp->removeEventFilter(this);
}

void CChaseEditDlg::showEvent(QShowEvent* event)
{
    // The caller names the chase between construction and exec().
    if (!m_opened) {
        m_opened = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void CChaseEditDlg::closeEvent(QCloseEvent* event)
{
    SealHistory();
    done(QDialog::Accepted);
    event->accept();
}

void CChaseEditDlg::reject()
{
    // Escape never closes the screen; the close box goes through closeEvent.
}

void CChaseEditDlg::OnInitDialog()
{
    FillChaseList();
    const int row = FindEntry(m_chaseName);
    if (row >= 0) {
        SelectRow(row);
        OnChaseListSelChange();
    } else {
        RefreshChase();
    }
}

// The grid and the commands act on the loaded chase, so they are there only while
// that is the chase named and selected: never on another chase, never "1 of 0".
void CChaseEditDlg::RefreshChase()
{
    const int row = FindEntry(m_chaseName);
    const bool loaded = row >= 0 && m_doc.m_chaseStepCount > 0 &&
                        std::strncmp(m_doc.LoadedChaseName(), m_chaseName, kNameSize) == 0;
    ShowEditing(loaded);
    if (!loaded) {
        SelectRow(-1);
        m_grid->Refresh(m_doc, LampMode::Hide);
        m_preview->update();
        return;
    }
    SelectRow(row);
    m_nameBox->setText(QString::fromLocal8Bit(m_chaseName));
    ShowNameNote(nullptr);
    RefreshStep();
}

void CChaseEditDlg::RefreshStep()
{
    m_stepCounter->setText(QString("%1 of %2").arg(m_doc.m_chaseStep).arg(m_doc.m_chaseStepCount));
    m_grid->Refresh(m_doc, LampMode::Refresh);
    m_preview->update();
}

void CChaseEditDlg::ShowEditing(bool shown)
{
    m_editing = shown;
    for (QWidget* control : m_editingControls)
        control->setVisible(shown);
    m_grid->ShowLabels(shown);
    m_pasteButton->setEnabled(m_clipboardFilled);
    if (!shown)
        ShowNameNote(nullptr);
}

void CChaseEditDlg::Notice(const char* text)
{
    if (m_doc.m_operator != nullptr)
        m_doc.m_operator->Message(text, "NOTICE");
}

void CChaseEditDlg::OnLampButton(int k)
{
    if (!m_editing)
        return;
    m_grid->ToggleLamp(m_doc, k, LampMode::Toggle);
    m_preview->update();
}

void CChaseEditDlg::OnNextStep()
{
    if (!m_editing)
        return;
    m_doc.NextStep();
    RefreshStep();
}

void CChaseEditDlg::OnBackStep()
{
    if (!m_editing)
        return;
    m_doc.PreviousStep();
    RefreshStep();
}

void CChaseEditDlg::OnAllLightsOn()
{
    if (m_editing && m_doc.SetAllLamps(1))
        RefreshStep();
}

void CChaseEditDlg::OnAllLightsOff()
{
    if (m_editing && m_doc.SetAllLamps(0))
        RefreshStep();
}

void CChaseEditDlg::OnCopyLightSetup()
{
    if (!m_editing)
        return;
    m_doc.CopyLightSetup(m_lightSetupClipboard);
    m_clipboardFilled = true;
    m_pasteButton->setEnabled(true);
}

void CChaseEditDlg::OnPasteLightSetup()
{
    if (m_editing && m_clipboardFilled && m_doc.PasteLightSetup(m_lightSetupClipboard))
        RefreshStep();
}

void CChaseEditDlg::OnAddLightStep()
{
    if (!m_editing)
        return;
    if (!m_doc.InsertStep(m_doc.m_chaseStep)) {
        // Each notice only when it is so.
        if (m_doc.FindFreeStepRecord() == 0)
            Notice(kPoolFullNotice);
        else if (m_doc.m_chaseStepCount >= kStepRecords - 1)
            Notice(kStepNumbersFullNotice);
        return;
    }
    RefreshStep();
}

void CChaseEditDlg::OnDeleteLightStep()
{
    if (m_editing && m_doc.DeleteStep(m_doc.m_chaseStep))
        RefreshStep();
}
