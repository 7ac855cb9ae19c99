#pragma once
// A pair of up and down arrows that steps the number in a buddy edit box, one at
// a time within a range. The buddy's text is the value: the arrows read it before
// each step and write the new value back as a decimal number.

#include <QWidget>

class QLineEdit;
class QToolButton;

class CUpDown : public QWidget {
    Q_OBJECT
public:
    CUpDown(QLineEdit* buddy, QWidget* parent);
    void SetRange(int lowest, int highest);
    // A step from a value outside the range lands on the range's nearest end.
    void Step(int delta);

private:
    QLineEdit* m_buddy;
    int m_lowest = 0;
    int m_highest = 100;
};
