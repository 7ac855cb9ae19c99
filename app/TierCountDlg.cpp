#include "app/TierCountDlg.h"

#include "widgets/DialogUnits.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace {

constexpr int kMaxText = 199;
constexpr int kMostTiers = 18;
const char* const kTypeTiers = "Type the number of tiers, 1 to 18";
const char* const kTooMany = "18 tiers is the most: type the number of tiers, 1 to 18";

// The count a text of digits names, 0 when it names none; any count past the most
// reads as one more, so a long string of digits cannot overflow.
int TierCount(const QString& digits)
{
    qsizetype first = 0;
    while (first < digits.size() && digits[first] == '0')
        ++first;
    const QString number = digits.mid(first);
    return number.size() > 2 ? kMostTiers + 1 : number.toInt();
}

}  // namespace

CTierCountDlg::CTierCountDlg(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle("Tiers");
    setFixedSize(DluX(331), DluY(95));
    auto* prompt = new QLabel("Type in the number of Tiers. VERY IMPORTANT. DO NOT GUESS.", this);
    prompt->setAlignment(Qt::AlignCenter);
    prompt->setGeometry(DluRect(7, 14, 317, 12));
    m_edit = new QLineEdit(this);
    m_edit->setObjectName("1190");
    m_edit->setGeometry(DluRect(7, 32, 317, 16));
    m_edit->setAlignment(Qt::AlignCenter);
    m_edit->setMaxLength(kMaxText);
    m_edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), m_edit));
    m_note = new QLabel(this);
    m_note->setObjectName("tierNote");
    m_note->setAlignment(Qt::AlignCenter);
    m_note->setGeometry(DluRect(7, 51, 317, 12));
    // Enter in the edit box presses this default button while it is enabled.
    m_ok = new QPushButton("OK", this);
    m_ok->setObjectName("1");
    m_ok->setGeometry(DluRect(140, 70, 50, 16));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_edit, &QLineEdit::textChanged, this, &CTierCountDlg::OnTextChanged);
    OnTextChanged(QString());
}

void CTierCountDlg::OnTextChanged(const QString& text)
{
    const int count = TierCount(text.left(kMaxText));
    const bool taken = count >= 1 && count <= kMostTiers;
    m_text = taken ? QString::number(count) : QString();
    m_ok->setEnabled(taken);
    m_note->setText(taken ? QString() : count > kMostTiers ? kTooMany : kTypeTiers);
    m_note->setStyleSheet(count > kMostTiers ? "color: #b00000" : "");
}
