#include "remote/RemoteSettings.h"

#include "document/AtomicFile.h"

#include <QFile>

namespace {

constexpr qint64 kMaxFileBytes = 16 * 1024;

bool ParsePort(const QByteArray& text, quint16& port)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 1 || value > 65535)
        return false;
    port = static_cast<quint16>(value);
    return true;
}

bool IsHexHash(const QByteArray& text)
{
    if (text.size() != 64)
        return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    return true;
}

}  // namespace

CRemoteSettings LoadRemoteSettings(const QString& path)
{
    CRemoteSettings settings;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return settings;
    const QByteArray text = file.read(kMaxFileBytes);
    for (const QByteArray& line : text.split('\n')) {
        const QList<QByteArray> f = line.trimmed().split('|');
        if (f.size() < 4)
            continue;
        if (f[0] == "remote" || f[0] == "osc") {
            const bool on = f[1] == "1";
            quint16 port = 0;
            if (!ParsePort(f[2], port))
                continue;
            if (f[0] == "remote") {
                settings.enabled = on;
                settings.port = port;
            } else {
                settings.oscEnabled = on;
                settings.oscPort = port;
            }
        } else if (f[0] == "phone" && IsHexHash(f[1]) &&
                   settings.phones.size() < static_cast<size_t>(CPairing::kMaxPhones)) {
            settings.phones.push_back({f[1], CPairing::CleanName(QString::fromUtf8(f[2]))});
        }
    }
    return settings;
}

bool SaveRemoteSettings(const QString& path, const CRemoteSettings& settings, QString* why)
{
    CAtomicFile file(path.toStdString());
    FILE* out = file.Stream();
    if (out != nullptr) {
        std::fprintf(out, "remote|%d|%u|\n", settings.enabled ? 1 : 0, settings.port);
        std::fprintf(out, "osc|%d|%u|\n", settings.oscEnabled ? 1 : 0, settings.oscPort);
        for (const CPairedPhone& phone : settings.phones)
            std::fprintf(out, "phone|%s|%s|\n", phone.tokenHash.constData(),
                         CPairing::CleanName(phone.name).toUtf8().constData());
    }
    if (out != nullptr && file.Commit())
        return true;
    if (why != nullptr)
        *why = QString::fromStdString(file.Error());
    return false;
}
