#include "remote/Pairing.h"

#include <QCryptographicHash>
#include <QRandomGenerator>

namespace {

// Addresses remembered for their wrong codes; past this the oldest unlocked ones go.
constexpr size_t kMaxTrackedAddresses = 256;

bool SameBytes(const QByteArray& a, const QByteArray& b)
{
    if (a.size() != b.size())
        return false;
    unsigned char diff = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diff == 0;
}

}  // namespace

CPairing::CPairing()
{
    NewCode();
}

void CPairing::NewCode()
{
    m_code = QString::number(QRandomGenerator::system()->bounded(1000000)).rightJustified(6, '0');
}

QByteArray CPairing::HashToken(const QByteArray& token)
{
    return QCryptographicHash::hash(token, QCryptographicHash::Sha256).toHex();
}

QString CPairing::CleanName(const QString& name)
{
    QString out;
    bool space = false;
    for (QChar c : name) {
        if (c.isSpace() || !c.isPrint() || c == '|') {
            space = !out.isEmpty();
            continue;
        }
        if (space)
            out += ' ';
        space = false;
        out += c;
        if (out.size() >= kMaxNameLength)
            break;
    }
    return out.isEmpty() ? QStringLiteral("Phone") : out;
}

bool CPairing::LockedOut(const QString& address, qint64 nowMs) const
{
    auto it = m_tries.find(address);
    return it != m_tries.end() && it->second.lockedUntil > nowMs;
}

std::vector<QString> CPairing::LockedAddresses(qint64 nowMs) const
{
    std::vector<QString> out;
    for (const auto& [address, tries] : m_tries)
        if (tries.lockedUntil > nowMs)
            out.push_back(address);
    return out;
}

EPairResult CPairing::TryCode(const QString& address, const QString& code, const QString& name, qint64 nowMs,
                              QByteArray* token)
{
    if (LockedOut(address, nowMs))
        return EPairResult::kLockedOut;
    if (code != m_code) {
        if (m_tries.size() >= kMaxTrackedAddresses && !m_tries.count(address)) {
            for (auto it = m_tries.begin(); it != m_tries.end();)
                it = it->second.lockedUntil > nowMs ? std::next(it) : m_tries.erase(it);
            if (m_tries.size() >= kMaxTrackedAddresses)
                return EPairResult::kLockedOut;  // under attack from many addresses: nobody pairs
        }
        CTries& tries = m_tries[address];
        if (++tries.wrong >= kTriesBeforeLockout) {
            tries.wrong = 0;
            tries.lockedUntil = nowMs + kLockoutMs;
        }
        return EPairResult::kWrongCode;
    }
    m_tries.erase(address);
    QByteArray fresh(16, '\0');
    QRandomGenerator::system()->generate(reinterpret_cast<quint32*>(fresh.data()),
                                         reinterpret_cast<quint32*>(fresh.data() + fresh.size()));
    fresh = fresh.toHex();
    if (m_phones.size() >= kMaxPhones)
        m_phones.erase(m_phones.begin());  // the oldest phone makes room
    m_phones.push_back({HashToken(fresh), CleanName(name)});
    if (token != nullptr)
        *token = fresh;
    return EPairResult::kPaired;
}

QString CPairing::PhoneOf(const QByteArray& token) const
{
    if (token.isEmpty())
        return {};
    const QByteArray hash = HashToken(token);
    for (const CPairedPhone& phone : m_phones)
        if (SameBytes(phone.tokenHash, hash))
            return phone.name;
    return {};
}

void CPairing::SetPhones(std::vector<CPairedPhone> phones)
{
    if (phones.size() > static_cast<size_t>(kMaxPhones))
        phones.erase(phones.begin(), phones.end() - kMaxPhones);
    m_phones = std::move(phones);
}
