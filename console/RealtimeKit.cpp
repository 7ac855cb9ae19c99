#include "console/RealtimeKit.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QVariant>
#include <algorithm>
#include <sys/resource.h>

namespace {

const char* const kService = "org.freedesktop.RealtimeKit1";
const char* const kPath = "/org/freedesktop/RealtimeKit1";
constexpr int kReplyMs = 1000;  // a service that does not answer must not hold up the show

// One property of the service, or an invalid value.
QVariant Property(QDBusConnection& bus, const char* name)
{
    QDBusMessage get = QDBusMessage::createMethodCall(kService, kPath, "org.freedesktop.DBus.Properties", "Get");
    get << QString(kService) << QString(name);
    QDBusMessage reply = bus.call(get, QDBus::Block, kReplyMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return reply.arguments().first().value<QDBusVariant>().variant();
}

}  // namespace

bool AskRealtimeKit(long threadId, int priority)
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return false;
    const QVariant maxPriority = Property(bus, "MaxRealtimePriority");
    const QVariant maxRtTime = Property(bus, "RTTimeUSecMax");
    if (!maxPriority.isValid() || !maxRtTime.isValid())
        return false;
    // The service grants real time only to a process that bounds the CPU time a
    // real-time thread may take without sleeping; the clock sleeps every tick.
    rlimit limit{};
    const auto rtTime = static_cast<rlim_t>(maxRtTime.toLongLong());
    if (getrlimit(RLIMIT_RTTIME, &limit) != 0)
        return false;
    if (limit.rlim_max == RLIM_INFINITY || limit.rlim_max > rtTime) {
        limit.rlim_cur = limit.rlim_max = rtTime;
        if (setrlimit(RLIMIT_RTTIME, &limit) != 0)
            return false;
    }
    QDBusMessage make = QDBusMessage::createMethodCall(kService, kPath, kService, "MakeThreadRealtime");
    make << QVariant::fromValue(static_cast<qulonglong>(threadId))
         << QVariant::fromValue(static_cast<uint>(std::min(priority, maxPriority.toInt())));
    return bus.call(make, QDBus::Block, kReplyMs).type() == QDBusMessage::ReplyMessage;
}
