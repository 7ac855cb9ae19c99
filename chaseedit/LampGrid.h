#pragma once
// The chase editor's grid: a lamp button for each of the 120 lamp circuits of the
// 18 tiers, the chest rail and the outline, with the 21 row labels. Button k is
// position k of a light setup (chest rail 1..6, outline 1..6, tiers 1..18).

#include "document/ShowData.h"
#include "widgets/LampImages.h"

#include <QIcon>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

enum class LampMode { Hide, Refresh, Toggle };

class CLampGrid {
public:
    static constexpr int kButtons = kLightSetupSize;
    static constexpr int kRows = 21;

    explicit CLampGrid(QWidget* parent);

    QPushButton* Button(int k) const { return m_lamps[k].button; }
    // Hides lamp k's button when its row is absent or `mode` is Hide; otherwise shows
    // it with the current step's picture, flipping the lamp first for Toggle.
    void ToggleLamp(CShowData& doc, int k, LampMode mode);
    // ToggleLamp for every button.
    void Refresh(CShowData& doc, LampMode mode);
    void ShowLabels(bool shown);

private:
    struct Lamp {
        QPushButton* button;
        int group;
        int index;
        int image;  // lamp picture slot shown, -1 before the first
    };

    void ShowImage(const CShowData& doc, Lamp& lamp);

    Lamp m_lamps[kButtons];
    QLineEdit* m_labels[kRows];
    QIcon m_icons[kLampOffSlot + 1];  // by lamp picture slot: lit colours 0..7 and the unlit lamp
};
