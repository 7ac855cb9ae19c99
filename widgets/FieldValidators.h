#pragma once
// What an edit box takes when its text lands in a fixed-size field of the show
// document, however the text arrives: typed, pasted, dropped or committed by an
// input method.

#include <QString>
#include <QValidator>

// A name. A "|" or a line break, which the show files cannot hold, is refused
// whole (the box's inputRejected signal can then say why). Of a text too long for
// the field's `bytes` in the local 8-bit encoding, what was just typed or pasted
// is left out from its end, whole characters at a time, until it fits.
class CNameValidator : public QValidator {
public:
    CNameValidator(int bytes, QObject* parent);
    State validate(QString& input, int& pos) const override;

private:
    int m_bytes;
};
