#include "layoutedit/LayoutEditDlg.h"

#include "layoutedit/LayoutPreview.h"

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

CLayoutEditDlg::CLayoutEditDlg(CShowData& doc, QWidget* parent)
    : QDialog(parent)
    , m_doc(doc)
{
    setWindowTitle("Tree Layout");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    m_doc.CopyLayout(m_layout);
    // A layout without tiers shows as one tier that is not ticked, which cannot be confirmed.
    if (m_layout.tierCount < 1 || m_layout.tierCount > kTiers)
        m_layout.tierCount = 1;
    BuildControls();
    Refresh();
}

CLayoutEditDlg::~CLayoutEditDlg()
{
    // A number still being typed is committed when the box loses its window; by then
    // the screen's own members are gone.
    m_tierCount->blockSignals(true);
}

void CLayoutEditDlg::OnTierCount(int count)
{
    SetTierCount(m_layout, count);
    Refresh();
}

void CLayoutEditDlg::OnOk()
{
    if (m_doc.ChangeLayout(m_layout))
        accept();
}

void CLayoutEditDlg::Refresh()
{
    {
        QSignalBlocker quiet(m_tierCount);
        m_tierCount->setValue(m_layout.tierCount);
    }
    for (const auto& show : m_show)
        show();

    const std::string library = ChaseLibraryName(m_layout.tierCount);
    QString chases = QString("Chase library for %1 tiers: %2").arg(m_layout.tierCount).arg(library.c_str());
    if (library != m_doc.m_chaseFileName)
        chases += QString(" (in use: %1)").arg(QString::fromLocal8Bit(m_doc.m_chaseFileName));
    m_library->setText(chases);

    const std::string problem = LayoutProblem(m_layout);
    m_note->setText(QString::fromStdString(problem));
    m_ok->setEnabled(problem.empty());
    m_preview->update();
}
