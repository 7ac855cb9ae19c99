#pragma once
// The first-run prompt for the number of tiers. It takes 1 to 18 only: OK stays
// greyed and a note under the box says why until the box holds such a number.
// A number typed is taken however the dialog ends (OK, Enter or the close box).

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

class CTierCountDlg : public QDialog {
    Q_OBJECT
public:
    explicit CTierCountDlg(QWidget* parent = nullptr);
    // The number typed, 1 to 18, as text; empty when the box holds none.
    QString Text() const { return m_text; }

private:
    void OnTextChanged(const QString& text);

    QLineEdit* m_edit;
    QLabel* m_note;
    QPushButton* m_ok;
    QString m_text;
};
