#include "widgets/FieldValidators.h"

namespace {

// Removes one character (both halves of a surrogate pair) of what was typed: the
// one before the cursor `pos`, or the last one when the cursor stands at the start.
// Returns what was removed.
QString LeaveOutOne(QString& input, int& pos)
{
    int at = pos > 0 ? pos : static_cast<int>(input.size());
    const int width = at >= 2 && input.at(at - 1).isLowSurrogate() && input.at(at - 2).isHighSurrogate() ? 2 : 1;
    at -= width;
    const QString removed = input.mid(at, width);
    input.remove(at, width);
    if (pos > 0)
        pos = at;
    return removed;
}

}  // namespace

CNameValidator::CNameValidator(int bytes, QObject* parent)
    : QValidator(parent)
    , m_bytes(bytes)
{
}

QValidator::State CNameValidator::validate(QString& input, int& pos) const
{
    if (input.contains('|') || input.contains('\r') || input.contains('\n'))
        return Invalid;
    qsizetype bytes = input.toLocal8Bit().size();
    while (bytes > m_bytes && !input.isEmpty())
        bytes -= LeaveOutOne(input, pos).toLocal8Bit().size();
    return Acceptable;
}

CDigitsValidator::CDigitsValidator(int digits, QObject* parent)
    : QValidator(parent)
    , m_digits(digits)
{
}

QValidator::State CDigitsValidator::validate(QString& input, int& pos) const
{
    if (input == m_shown)
        return Acceptable;
    QString digits;
    int cursor = pos;
    for (int i = 0; i < input.size(); ++i) {
        const QChar c = input.at(i);
        if (c.isDigit() && c.digitValue() >= 0)
            digits += QChar('0' + c.digitValue());
        else if (i < pos)
            --cursor;
    }
    while (digits.size() > m_digits)
        LeaveOutOne(digits, cursor);
    input = digits;
    pos = cursor;
    return Acceptable;
}
