#include "remote/RemoteMessage.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace {

bool Refuse(QString* why, const char* text)
{
    if (why != nullptr)
        *why = QString::fromLatin1(text);
    return false;
}

bool OnlyKeys(const QJsonObject& object, std::initializer_list<const char*> allowed)
{
    for (auto it = object.begin(); it != object.end(); ++it) {
        bool known = false;
        for (const char* key : allowed)
            known = known || it.key() == QLatin1String(key);
        if (!known)
            return false;
    }
    return true;
}

bool IsWholeNumber(const QJsonValue& value, double low, double high)
{
    if (!value.isDouble())
        return false;
    const double d = value.toDouble();
    return d >= low && d <= high && d == static_cast<double>(static_cast<qint64>(d));
}

bool AllOf(const QString& text, bool (*allowed)(QChar))
{
    for (QChar c : text)
        if (!allowed(c))
            return false;
    return true;
}

bool IsDigit(QChar c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(QChar c) { return IsDigit(c) || (c >= 'a' && c <= 'f'); }
bool IsIdChar(QChar c) { return c.unicode() < 128 && (c.isLetterOrNumber() || c == '-' || c == '_'); }

}  // namespace

bool ParseRemoteMessage(const QByteArray& text, CRemoteMessage& out, QString* why)
{
    if (text.size() > kMaxRemoteMessage)
        return Refuse(why, "too long");
    QJsonParseError error{};
    const QJsonDocument json = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError || !json.isObject())
        return Refuse(why, "not a JSON object");
    const QJsonObject o = json.object();
    const QString type = o.value("type").toString();
    if (type == "pair") {
        if (!OnlyKeys(o, {"type", "code", "name"}) || !o.value("code").isString() || !o.value("name").isString())
            return Refuse(why, "bad pairing");
        out.kind = CRemoteMessage::EKind::kPair;
        out.code = o.value("code").toString();
        out.name = o.value("name").toString();
        if (out.code.size() != 6 || !AllOf(out.code, IsDigit) || out.name.size() > 200)
            return Refuse(why, "bad pairing");
        return true;
    }
    if (type == "hello") {
        const QString token = o.value("token").toString();
        if (!OnlyKeys(o, {"type", "token"}) || token.size() != 32 || !AllOf(token, IsHexDigit))
            return Refuse(why, "bad token");
        out.kind = CRemoteMessage::EKind::kHello;
        out.token = token.toLatin1();
        return true;
    }
    if (type != "cmd")
        return Refuse(why, "unknown message");
    if (!OnlyKeys(o, {"type", "client", "seq", "op", "value"}))
        return Refuse(why, "unknown field");
    out.kind = CRemoteMessage::EKind::kCommand;
    out.client = o.value("client").toString();
    if (out.client.isEmpty() || out.client.size() > 40 || !AllOf(out.client, IsIdChar))
        return Refuse(why, "bad client id");
    if (!IsWholeNumber(o.value("seq"), 1, 9007199254740991.0))
        return Refuse(why, "bad sequence number");
    out.seq = static_cast<qint64>(o.value("seq").toDouble());
    if (!o.value("op").isString() || !RemoteOpFromName(o.value("op").toString(), out.command.op))
        return Refuse(why, "unknown command");
    const bool takesValue = RemoteOpTakesValue(out.command.op);
    if (takesValue != o.contains("value"))
        return Refuse(why, takesValue ? "value missing" : "value not wanted");
    out.command.value = 0;
    if (takesValue) {
        const double high = out.command.op == ERemoteOp::kMaster ? 100 : 1e6;
        if (!IsWholeNumber(o.value("value"), 0, high))
            return Refuse(why, "bad value");
        out.command.value = static_cast<int>(o.value("value").toDouble());
    }
    return true;
}
