#include "remote/HttpHead.h"

#include <QList>

namespace {

const char* Reason(int status)
{
    switch (status) {
    case 200: return "OK";
    case 400: return "Bad Request";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 408: return "Request Timeout";
    case 413: return "Content Too Large";
    case 431: return "Request Header Fields Too Large";
    case 503: return "Service Unavailable";
    default: return "Error";
    }
}

bool PrintableLine(const QByteArray& line)
{
    for (char c : line)
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
            return false;
    return true;
}

}  // namespace

EHeadScan ScanRequestHead(const QByteArray& buffer, int* headLength)
{
    const qsizetype end = buffer.indexOf("\r\n\r\n");
    if (end >= 0 && end + 4 <= kMaxRequestHead) {
        if (headLength != nullptr)
            *headLength = static_cast<int>(end + 4);
        return EHeadScan::kComplete;
    }
    return buffer.size() >= kMaxRequestHead ? EHeadScan::kTooLarge : EHeadScan::kIncomplete;
}

bool ParseRequestHead(const QByteArray& head, CRequestHead& out)
{
    QList<QByteArray> lines = head.split('\n');
    if (lines.isEmpty())
        return false;
    for (QByteArray& line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!PrintableLine(line))
            return false;
    }
    const QList<QByteArray> request = lines[0].split(' ');
    if (request.size() != 3 || request[0].isEmpty() || !request[1].startsWith('/') ||
        (request[2] != "HTTP/1.1" && request[2] != "HTTP/1.0"))
        return false;
    out = {};
    out.method = request[0];
    out.path = request[1];
    bool upgradeHeader = false;
    bool connectionUpgrade = false;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        if (line.isEmpty())
            continue;
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            return false;
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name == "host")
            out.host = value;
        else if (name == "origin")
            out.origin = value;
        else if (name == "upgrade")
            upgradeHeader = value.toLower() == "websocket";
        else if (name == "content-length" || name == "transfer-encoding") {
            bool number = false;
            const qint64 length = value.toLongLong(&number);
            out.contentLength = name == "content-length" && number ? length : -1;
        }
        else if (name == "connection")
            connectionUpgrade = value.toLower().contains("upgrade");
    }
    out.upgrade = upgradeHeader && connectionUpgrade;
    return true;
}

QByteArray HttpResponse(int status, const QByteArray& contentType, const QByteArray& body)
{
    QByteArray out = "HTTP/1.1 " + QByteArray::number(status) + ' ' + Reason(status) + "\r\n";
    out += "Content-Type: " + contentType + "\r\n";
    out += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    out += "Cache-Control: no-store\r\nX-Content-Type-Options: nosniff\r\nReferrer-Policy: no-referrer\r\n";
    out += "Content-Security-Policy: default-src 'self'; connect-src 'self' ws:; img-src 'self' data:; "
           "frame-ancestors 'none'\r\n";
    out += "Connection: close\r\n\r\n";
    return out + body;
}

bool SameOrigin(const CRequestHead& head)
{
    if (head.origin.isEmpty())
        return true;
    const qsizetype scheme = head.origin.indexOf("://");
    return scheme > 0 && head.origin.mid(scheme + 3) == head.host;
}
