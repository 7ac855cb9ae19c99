#pragma once
// A drop-down of the colour table: each colour as a swatch with its name. A colour
// index outside the table (a layout file may name one) is shown as it is and kept
// until another colour is chosen.

#include <QComboBox>

class CShowData;

class CColorBox : public QComboBox {
    Q_OBJECT
public:
    CColorBox(const CShowData& doc, QWidget* parent);
    // Shows colour index `color` without telling anyone.
    void SetColor(int color);
    int Color() const;

signals:
    void ColorChosen(int color);

private:
    const CShowData& m_doc;
};
