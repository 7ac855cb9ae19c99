#pragma once
// Pairing phones with the console: a 6-digit code shown on the console, new each
// time the remote is switched on; a phone that sends it gets a random token of
// 128 bits. The console keeps only a hash of each token, with the phone's name.
// Five wrong codes from one address lock that address out for a minute.
// Times are milliseconds from any steady origin, given by the caller.

#include <QByteArray>
#include <QString>
#include <map>
#include <vector>

struct CPairedPhone {
    QByteArray tokenHash;  // SHA-256 of the token, hex
    QString name;
};

enum class EPairResult { kPaired, kWrongCode, kLockedOut };

class CPairing {
public:
    static constexpr int kTriesBeforeLockout = 5;
    static constexpr qint64 kLockoutMs = 60 * 1000;
    static constexpr int kMaxPhones = 32;
    static constexpr int kMaxNameLength = 32;

    CPairing();

    // A new code; the old one is no use any more.
    void NewCode();
    const QString& Code() const { return m_code; }

    // A phone at `address` sends `code` and its name. On kPaired `token` holds the new token.
    EPairResult TryCode(const QString& address, const QString& code, const QString& name, qint64 nowMs,
                        QByteArray* token);
    bool LockedOut(const QString& address, qint64 nowMs) const;
    // The addresses locked out now.
    std::vector<QString> LockedAddresses(qint64 nowMs) const;

    // The name of the phone the token was given to, or a null string for no such token.
    QString PhoneOf(const QByteArray& token) const;
    const std::vector<CPairedPhone>& Phones() const { return m_phones; }
    // Phones read back from the settings file.
    void SetPhones(std::vector<CPairedPhone> phones);
    void ForgetAll() { m_phones.clear(); }

    // A name as the console lists it: printable characters only, spaces collapsed, cut short.
    static QString CleanName(const QString& name);
    static QByteArray HashToken(const QByteArray& token);

private:
    struct CTries {
        int wrong = 0;
        qint64 lockedUntil = 0;
    };
    QString m_code;
    std::vector<CPairedPhone> m_phones;
    std::map<QString, CTries> m_tries;
};
