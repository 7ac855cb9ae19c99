#pragma once
// A check box whose text wraps over several lines inside its rectangle; a click
// anywhere in the rectangle toggles it.

#include <QCheckBox>

class CWrapCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit CWrapCheckBox(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
};
