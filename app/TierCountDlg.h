#pragma once
// The first-run prompt for the number of tiers. The typed text is taken however
// the dialog ends (OK, Enter or the close box).

#include <QDialog>
#include <QString>

class QLineEdit;

class CTierCountDlg : public QDialog {
    Q_OBJECT
public:
    explicit CTierCountDlg(QWidget* parent = nullptr);
    // What was typed, at most 199 characters.
    QString Text() const { return m_text; }

private:
    void OnTextChanged(const QString& text);

    QLineEdit* m_edit;
    QString m_text;
};
