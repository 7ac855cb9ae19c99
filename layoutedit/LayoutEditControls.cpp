// The layout screen's controls, placed from their dialog-unit layout. Every control
// is bound to its field of the edited layout: a change writes the field and
// refreshes the screen.
#include "layoutedit/LayoutEditDlg.h"

#include "layoutedit/ColorBox.h"
#include "layoutedit/LayoutPreview.h"
#include "widgets/DialogUnits.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace {

// Colour columns: circuit c's drop-down of every row stands at kColumnX + c * kColumnStep.
constexpr int kColumnX = 72, kColumnStep = 69, kColorWidth = 66, kRowHeight = 14;
constexpr int kRight = kColumnX + 5 * kColumnStep + kColorWidth;  // right edge of the last column
constexpr int kTierY = 118, kTierStep = 16;  // tier 1's row, then one row per tier
const QPoint kPreviewAt(DluX(kRight + 7), DluY(7));
constexpr int kBottomY = 412;  // note and buttons

void AddHeadings(QWidget* parent, int y)
{
    for (int c = 0; c < kCircuits; ++c) {
        auto* heading = new QLabel(QString("Circuit %1").arg(c + 1), parent);
        heading->setAlignment(Qt::AlignCenter);
        heading->setGeometry(DluRect(kColumnX + c * kColumnStep, y, kColorWidth, 10));
    }
}

}  // namespace

// A part's present box, then `count` colours from column `x` on. The colours are
// usable only while the part is present; the row shows only while `shown` says so.
void CLayoutEditDlg::AddPartRow(int id, const QString& name, int x, int y, bool& present, int* colors, int count,
                                const std::function<bool()>& shown)
{
    auto* box = new QCheckBox(name, this);
    box->setObjectName(QString::number(id));
    box->setGeometry(DluRect(x - kColumnX + 7, y, kColumnX - 10, kRowHeight));
    connect(box, &QCheckBox::clicked, this, [this, &present](bool on) {
        present = on;
        Refresh();
    });
    m_show.push_back([box, &present, shown] {
        box->setChecked(present);
        box->setVisible(!shown || shown());
    });
    for (int c = 0; c < count; ++c) {
        auto* color = new CColorBox(m_doc, this);
        color->setObjectName(QString::number(id + 1 + c));
        color->setGeometry(DluRect(x + c * kColumnStep, y, kColorWidth, kRowHeight));
        int& field = colors[c];
        connect(color, &CColorBox::ColorChosen, this, [this, &field](int chosen) {
            field = chosen;
            Refresh();
        });
        m_show.push_back([color, &field, &present, shown] {
            color->SetColor(field);
            color->setEnabled(present);
            color->setVisible(!shown || shown());
        });
    }
}

void CLayoutEditDlg::BuildControls()
{
    auto* countLabel = new QLabel("Number of &tiers:", this);
    countLabel->setGeometry(DluRect(7, 9, 68, 10));
    m_tierCount = new QSpinBox(this);
    m_tierCount->setObjectName("1300");
    m_tierCount->setRange(1, kTiers);
    m_tierCount->setKeyboardTracking(false);  // typing "12" is not first a tree of 1 tier
    m_tierCount->setGeometry(DluRect(78, 7, 30, kRowHeight));
    countLabel->setBuddy(m_tierCount);
    connect(m_tierCount, &QSpinBox::valueChanged, this, &CLayoutEditDlg::OnTierCount);
    m_library = new QLabel(this);
    m_library->setObjectName("1301");
    m_library->setGeometry(DluRect(114, 9, kRight - 114, 10));

    AddPartRow(1340, "Star", kColumnX, 28, m_layout.starPresent, &m_layout.starColor, 1);
    AddPartRow(1350, "Cross", kColumnX + 2 * kColumnStep, 28, m_layout.crossPresent, &m_layout.crossColor, 1);
    AddHeadings(this, 47);
    AddPartRow(1320, "Chest Rail", kColumnX, 58, m_layout.chestPresent, m_layout.chestColor, kCircuits);
    AddPartRow(1330, "Outline", kColumnX, 75, m_layout.outlinePresent, m_layout.outlineColor, kCircuits);

    auto* tiers = new QGroupBox("Tiers, from the top of the tree", this);
    // The frame holds the tiers there are, so it never looks like a list half filled.
    m_show.push_back([this, tiers] {
        tiers->setGeometry(DluRect(3, 94, kRight + 1, kTierY + m_layout.tierCount * kTierStep - 94 + 4));
    });
    AddHeadings(this, 106);
    // Tier t's present box is 1400 + 10t, its circuits' colours the next six ids.
    for (int t = 1; t <= kTiers; ++t)
        AddPartRow(1400 + 10 * t, QString("Tier %1").arg(t), kColumnX, kTierY + (t - 1) * kTierStep,
                   m_layout.tierPresent[t - 1], m_layout.tierColor[t - 1], kCircuits,
                   [this, t] { return t <= m_layout.tierCount; });

    m_note = new QLabel(this);
    m_note->setObjectName("1360");
    m_note->setWordWrap(true);
    m_note->setStyleSheet("color: #b00000");
    m_note->setGeometry(DluRect(7, kBottomY, kRight - 7, 20));

    m_preview = new CLayoutPreview(m_doc, m_layout, this);
    m_preview->move(kPreviewAt);
    const int right = kPreviewAt.x() + m_preview->width();
    m_ok = new QPushButton("OK", this);
    m_ok->setObjectName("1");
    m_ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("2");
    const QRect button = DluRect(0, kBottomY + 3, 56, kRowHeight);
    cancel->setGeometry(button.translated(right - button.width(), 0));
    m_ok->setGeometry(button.translated(right - 2 * button.width() - DluX(6), 0));
    connect(m_ok, &QPushButton::clicked, this, &CLayoutEditDlg::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(right + DluX(7), DluY(kBottomY + 24));
}
