#include "app/TierCountDlg.h"

#include "widgets/DialogUnits.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace {
constexpr int kMaxText = 199;
}

CTierCountDlg::CTierCountDlg(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle("Tiers");
    setFixedSize(DluX(331), DluY(95));
    auto* prompt = new QLabel("Type in the number of Tiers. VERY IMPORTANT. DO NOT GUESS.", this);
    prompt->setAlignment(Qt::AlignCenter);
    prompt->setGeometry(DluRect(7, 20, 317, 12));
    m_edit = new QLineEdit(this);
    m_edit->setObjectName("1190");
    m_edit->setGeometry(DluRect(7, 45, 317, 16));
    m_edit->setAlignment(Qt::AlignCenter);
    m_edit->setMaxLength(kMaxText);
    m_edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), m_edit));
    connect(m_edit, &QLineEdit::textChanged, this, &CTierCountDlg::OnTextChanged);
    // Enter in the edit box presses this default button.
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("1");
    ok->setGeometry(DluRect(140, 70, 50, 16));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void CTierCountDlg::OnTextChanged(const QString& text)
{
    m_text = text.left(kMaxText);
}
