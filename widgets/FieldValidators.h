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

// A count typed as digits: every decimal digit becomes its ASCII digit (so the
// full-width digits of an input method count), anything else is left out, and at
// most `digits` are kept.
class CDigitsValidator : public QValidator {
public:
    CDigitsValidator(int digits, QObject* parent);
    State validate(QString& input, int& pos) const override;
    // The value the box is given to show is taken as it stands, even one that
    // cannot be typed (-1, or more digits than can).
    void SetShown(const QString& shown) { m_shown = shown; }

private:
    int m_digits;
    QString m_shown;
};
