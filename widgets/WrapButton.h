#pragma once
// A push button whose text wraps over several lines, as the console's long
// button texts need; text() still returns the whole text.

#include <QPushButton>

class CWrapButton : public QPushButton {
    Q_OBJECT
public:
    explicit CWrapButton(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
