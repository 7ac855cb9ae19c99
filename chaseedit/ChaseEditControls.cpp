// The chase edit screen's controls, placed from their dialog-unit layout.
#include "chaseedit/ChaseEditDlg.h"

#include "chaseedit/ChasePreview.h"
#include "chaseedit/LampGrid.h"
#include "widgets/DialogUnits.h"
#include "widgets/FieldValidators.h"
#include "widgets/WrapButton.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace {

// The preview stands right of the tier grid and below the chest rail and outline
// rows, so no control covers any part of the picture.
const QPoint kPreviewAt(DluX(293), DluY(84));

}  // namespace

QPushButton* CChaseEditDlg::AddButton(int id, const char* text, int x, int y, int width)
{
    QPushButton* button = new CWrapButton(this);
    button->setText(text);
    button->setObjectName(QString::number(id));
    button->setGeometry(DluRect(x, y, width, 14));
    return button;
}

void CChaseEditDlg::BuildControls()
{
    m_nameBox = new QLineEdit(this);
    m_nameBox->setObjectName("1056");
    m_nameBox->setGeometry(DluRect(8, 7, 125, 14));
    m_nameBox->setMaxLength(kNameSize - 1);
    m_nameBox->setValidator(new CNameValidator(kNameSize - 1, m_nameBox));
    connect(m_nameBox, &QLineEdit::textEdited, this, &CChaseEditDlg::OnChaseNameChange);
    connect(m_nameBox, &QLineEdit::inputRejected, this, &CChaseEditDlg::OnNameRefused);
    m_nameNote = new QLabel(this);
    m_nameNote->setObjectName("chaseNameNote");
    m_nameNote->setGeometry(DluRect(8, 21, 125, 10));
    m_nameNote->setStyleSheet("color: #b00000");
    QFont small = m_nameNote->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    m_nameNote->setFont(small);

    m_chaseList = new QListWidget(this);
    m_chaseList->setObjectName("1055");
    m_chaseList->setGeometry(DluRect(7, 32, 125, 117));
    m_chaseList->setSelectionMode(QAbstractItemView::SingleSelection);
    // One line per entry: the list need not measure thousands of names on every rebuild.
    m_chaseList->setUniformItemSizes(true);
    connect(m_chaseList, &QListWidget::itemSelectionChanged, this, &CChaseEditDlg::OnChaseListSelChange);

    QPushButton* newChase = AddButton(1182, "Make New Chase", 7, 155, 125);
    QPushButton* deleteChase = AddButton(1188, "Delete This Chase", 7, 172, 125);
    QPushButton* copyChase = AddButton(1183, "Make a Copy of the Selected Chase", 7, 190, 125);
    QPushButton* deleteStep = AddButton(1189, "Delete Light Step or Chase", 7, 215, 125);
    QPushButton* addStep = AddButton(1186, "Add or Insert Light Step", 7, 232, 125);
    QPushButton* copySetup = AddButton(1184, "Copy Light Setup (F11)", 7, 256, 125);
    m_pasteButton = AddButton(1185, "Paste Light Setup (F12)", 7, 273, 125);
    QPushButton* allOn = AddButton(1190, "All Lights On (F8)", 7, 297, 125);
    QPushButton* allOff = AddButton(1191, "All Lights Off (F9)", 7, 314, 125);

    m_stepCounter = new QLineEdit(this);
    m_stepCounter->setObjectName("1181");
    m_stepCounter->setReadOnly(true);
    m_stepCounter->setFocusPolicy(Qt::NoFocus);
    m_stepCounter->setAlignment(Qt::AlignCenter);
    m_stepCounter->setGeometry(DluRect(147, 7, 145, 14));
    QPushButton* back = AddButton(1192, "Back (F4)", 297, 7, 48);
    QPushButton* next = AddButton(1187, "Next (F5)", 349, 7, 48);

    connect(newChase, &QPushButton::clicked, this, &CChaseEditDlg::OnMakeNewChase);
    connect(deleteChase, &QPushButton::clicked, this, &CChaseEditDlg::OnDeleteChase);
    connect(copyChase, &QPushButton::clicked, this, &CChaseEditDlg::OnCopyChase);
    connect(deleteStep, &QPushButton::clicked, this, &CChaseEditDlg::OnDeleteLightStep);
    connect(addStep, &QPushButton::clicked, this, &CChaseEditDlg::OnAddLightStep);
    connect(copySetup, &QPushButton::clicked, this, &CChaseEditDlg::OnCopyLightSetup);
    connect(m_pasteButton, &QPushButton::clicked, this, &CChaseEditDlg::OnPasteLightSetup);
    connect(allOn, &QPushButton::clicked, this, &CChaseEditDlg::OnAllLightsOn);
    connect(allOff, &QPushButton::clicked, this, &CChaseEditDlg::OnAllLightsOff);
    connect(back, &QPushButton::clicked, this, &CChaseEditDlg::OnBackStep);
    connect(next, &QPushButton::clicked, this, &CChaseEditDlg::OnNextStep);
    QWidget* editing[] = {m_stepCounter, back, next, deleteStep, addStep, copySetup,
                          m_pasteButton, allOn, allOff, m_nameBox, deleteChase, copyChase};
    static_assert(sizeof editing == sizeof m_editingControls);
    std::copy(std::begin(editing), std::end(editing), m_editingControls);

    m_grid = std::make_unique<CLampGrid>(this);
    for (int k = 0; k < CLampGrid::kButtons; ++k)
        connect(m_grid->Button(k), &QPushButton::clicked, this, [this, k] { OnLampButton(k); });

    m_preview = new CChasePreview(m_doc, this);
    m_preview->move(kPreviewAt);
    setFixedSize(std::max(DluX(530), kPreviewAt.x() + m_preview->width() + 8),
                 std::max(DluY(390), kPreviewAt.y() + m_preview->height() + 8));
}
