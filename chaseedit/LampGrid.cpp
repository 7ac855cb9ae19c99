#include "chaseedit/LampGrid.h"

#include "widgets/DialogUnits.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace {

struct RowLayout {
    int labelId;
    const char* label;
    int x, y, labelWidth;  // label box, dialog units
    int buttonX;           // first lamp button; the others follow 16 units apart
    int group;
    int firstIndex;        // lamp index of the first button; a tier's is tier x 10 + 1
    int count;
};

// Chest rail, the two outline rows, then tiers 1 to 18, top to bottom.
constexpr int kTierLabelIds[kTiers] = {1062, 1068, 1075, 1082, 1089, 1096, 1103, 1110, 1117,
                                       1124, 1131, 1138, 1145, 1152, 1159, 1195, 1202, 1209};
constexpr const char* kTierLabels[kTiers] = {"Tier 1",  "Tier 2",  "Tier 3",  "Tier 4",  "Tier 5",  "Tier 6",
                                             "Tier 7",  "Tier 8",  "Tier 9",  "Tier 10", "Tier 11", "Tier 12",
                                             "Tier 13", "Tier 14", "Tier 15", "Tier 16", "Tier 17", "Tier 18"};

RowLayout Row(int row)
{
    if (row == 0)
        // The label reaches further left than a tier's: no tier button stands at its height.
        return {1168, "Chest Rail", 276, 30, 55, 333, kChestGroup, 1, kCircuits};
    if (row == 1)
        return {1175, "OutLine Left", 389, 49, 85, 477, kOutlineGroup, 1, 3};
    if (row == 2)
        return {1179, "OutLine Right", 389, 65, 85, 477, kOutlineGroup, 4, 3};
    const int t = row - 2;
    // Tier 1 at y 52, tier 18 at y 326; from tier 13 on the buttons sit one unit further right.
    return {kTierLabelIds[t - 1], kTierLabels[t - 1], 143, 52 + (t - 1) * 274 / 17, 40, t >= 13 ? 192 : 191,
            kTierGroup, t * 10 + 1, kCircuits};
}

// Button ids sit around their label's id: two below it, then the ones above it.
// Tier 1's are the exception.
int ButtonId(const RowLayout& layout, int column)
{
    static const int kTier1Ids[kCircuits] = {1057, 1059, 1061, 1063, 1064, 1065};
    if (layout.labelId == kTierLabelIds[0])
        return kTier1Ids[column];
    return layout.labelId + (column < 2 ? column - 2 : column - 1);
}

int LampColor(const CShowData& doc, int group, int index)
{
    if (group == kChestGroup)
        return doc.m_chestColor[index - 1];
    if (group == kOutlineGroup)
        return doc.m_outlineColor[index - 1];
    return doc.m_tierColor[index / 10 - 1][index % 10 - 1];
}

// The column numbers over the tier buttons: the heading's text, each number drawn
// centred over its column whatever the font's spacing.
class CColumnHeading : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        const QStringList numbers = text().split(' ', Qt::SkipEmptyParts);
        for (int c = 0; c < numbers.size(); ++c)
            painter.drawText(QRect(DluX(16 * c), 0, DluX(14), height()), Qt::AlignCenter, numbers[c]);
    }
};

}  // namespace

CLampGrid::CLampGrid(QWidget* parent)
{
    for (int slot = 0; slot <= kLampOffSlot; ++slot)
        m_icons[slot] = QIcon(QPixmap::fromImage(LampImage(slot)));

    auto* heading = new CColumnHeading("  1      2      3      4      5      6", parent);
    heading->setGeometry(DluRect(191, 42, 96, 9));

    int k = 0;
    for (int row = 0; row < kRows; ++row) {
        const RowLayout layout = Row(row);
        QLineEdit* label = new QLineEdit(layout.label, parent);
        label->setObjectName(QString::number(layout.labelId));
        label->setReadOnly(true);
        label->setFocusPolicy(Qt::NoFocus);
        label->setGeometry(DluRect(layout.x, layout.y, layout.labelWidth, 14));
        m_labels[row] = label;
        for (int column = 0; column < layout.count; ++column, ++k) {
            auto* button = new QPushButton(parent);
            button->setObjectName(QString::number(ButtonId(layout, column)));
            button->setGeometry(DluRect(layout.buttonX + 16 * column, layout.y, 14, 14));
            button->setIconSize(button->size() - QSize(6, 6));
            button->setFlat(layout.group != kOutlineGroup);
            m_lamps[k] = {button, layout.group, layout.firstIndex + column, -1};
        }
    }
}

void CLampGrid::ToggleLamp(CShowData& doc, int k, LampMode mode)
{
    Lamp& lamp = m_lamps[k];
    if (mode == LampMode::Hide || !doc.LampRowPresent(lamp.group, lamp.index)) {
        lamp.button->hide();
        return;
    }
    lamp.button->show();
    if (mode == LampMode::Toggle)
        doc.ToggleLamp(lamp.group, lamp.index);
    ShowImage(doc, lamp);
}

void CLampGrid::Refresh(CShowData& doc, LampMode mode)
{
    for (int k = 0; k < kButtons; ++k)
        ToggleLamp(doc, k, mode);
}

void CLampGrid::ShowLabels(bool shown)
{
    for (QLineEdit* label : m_labels)
        label->setVisible(shown);
}

void CLampGrid::ShowImage(const CShowData& doc, Lamp& lamp)
{
    int slot = kLampOffSlot;
    if (doc.LampState(lamp.group, lamp.index) != 0) {
        slot = LampColor(doc, lamp.group, lamp.index);
        if (slot < 0 || slot > 7)
            return;  // no picture for that colour: the button keeps the one it has
    }
    // Setting an icon costs more than comparing, and a step refresh touches all 120.
    if (slot != lamp.image) {
        lamp.button->setIcon(m_icons[slot]);
        lamp.image = slot;
    }
}
