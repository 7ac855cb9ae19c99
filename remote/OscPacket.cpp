#include "remote/OscPacket.h"

#include <QtEndian>
#include <cmath>
#include <cstring>

namespace {

constexpr int kMaxBundleDepth = 4;

// Reads a NUL-terminated, 4-byte padded string at `pos` of [begin, end).
bool ReadString(const char* data, int end, int& pos, QByteArray& out)
{
    const void* nul = std::memchr(data + pos, '\0', static_cast<size_t>(end - pos));
    if (nul == nullptr)
        return false;
    const int length = static_cast<int>(static_cast<const char*>(nul) - (data + pos));
    const int padded = (length + 4) & ~3;
    if (padded > end - pos)
        return false;
    for (int i = length; i < padded; ++i)
        if (data[pos + i] != '\0')
            return false;
    out = QByteArray(data + pos, length);
    pos += padded;
    return true;
}

bool ReadInt(const char* data, int end, int& pos, qint32& out)
{
    if (end - pos < 4)
        return false;
    out = qFromBigEndian<qint32>(data + pos);
    pos += 4;
    return true;
}

bool ParseMessage(const char* data, int end, int pos, COscMessage& message)
{
    QByteArray tags;
    if (!ReadString(data, end, pos, message.address) || !message.address.startsWith('/'))
        return false;
    if (!ReadString(data, end, pos, tags) || !tags.startsWith(',') || tags.size() - 1 > kMaxOscArguments)
        return false;
    for (int t = 1; t < tags.size(); ++t) {
        COscArgument argument{tags[t], 0, 0.0f};
        if (argument.type != 'i' && argument.type != 'f')
            return false;
        if (!ReadInt(data, end, pos, argument.i))
            return false;
        if (argument.type == 'f') {
            const quint32 bits = static_cast<quint32>(argument.i);
            std::memcpy(&argument.f, &bits, sizeof argument.f);
        }
        message.arguments.push_back(argument);
    }
    return pos == end;
}

bool ParseElement(const char* data, int end, int pos, int depth, std::vector<COscMessage>& out)
{
    if (end - pos < 4 || (end - pos) % 4 != 0)
        return false;
    if (data[pos] == '/') {
        COscMessage message;
        if (!ParseMessage(data, end, pos, message))
            return false;
        out.push_back(std::move(message));
        return true;
    }
    QByteArray head;
    if (depth >= kMaxBundleDepth || !ReadString(data, end, pos, head) || head != "#bundle" || end - pos < 8)
        return false;
    pos += 8;  // the time tag: everything runs at once
    while (pos < end) {
        qint32 size = 0;
        if (!ReadInt(data, end, pos, size) || size <= 0 || size > end - pos)
            return false;
        if (!ParseElement(data, pos + size, pos, depth + 1, out))
            return false;
        pos += size;
    }
    return true;
}

}  // namespace

bool ParseOscPacket(const QByteArray& packet, std::vector<COscMessage>& out)
{
    if (packet.size() > kMaxOscPacket)
        return false;
    std::vector<COscMessage> messages;
    if (!ParseElement(packet.constData(), static_cast<int>(packet.size()), 0, 0, messages))
        return false;
    out.insert(out.end(), messages.begin(), messages.end());
    return true;
}

bool OscCommand(const COscMessage& message, CRemoteCommand& command)
{
    static const QByteArray prefix = "/glimmerbox/";
    if (!message.address.startsWith(prefix))
        return false;
    const QString name = QString::fromLatin1(message.address.mid(prefix.size()));
    if (!RemoteOpFromName(name, command.op) || command.op == ERemoteOp::kStart)
        return false;
    command.value = 0;
    if (!RemoteOpTakesValue(command.op))
        return message.arguments.empty();
    if (message.arguments.size() != 1)
        return false;
    const COscArgument& a = message.arguments[0];
    if (command.op == ERemoteOp::kMaster) {
        // A float, as the address says; an int 0 or 1 from a simple fader is taken too.
        const float f = a.type == 'f' ? a.f : static_cast<float>(a.i);
        if (!std::isfinite(f) || f < 0.0f || f > 1.0f)
            return false;
        command.value = static_cast<int>(std::lround(f * 100.0f));
        return true;
    }
    if (a.type != 'i')
        return false;
    command.value = a.i;
    return a.i >= 0;
}
