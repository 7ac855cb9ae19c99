#pragma once
// The little HTTP/1.1 the remote speaks: GET of its page's few files and the
// upgrade to its live connection. Request heads are bounded; anything else is
// answered with an error status and the connection closed.

#include <QByteArray>

constexpr int kMaxRequestHead = 8 * 1024;

struct CRequestHead {
    QByteArray method;
    QByteArray path;
    QByteArray host;
    QByteArray origin;
    bool upgrade = false;  // "Upgrade: websocket"
    qint64 contentLength = 0;  // -1 when not a number
};

enum class EHeadScan { kIncomplete, kComplete, kTooLarge };

// Whether `buffer` holds a whole head ("\r\n\r\n"); kTooLarge once it holds
// kMaxRequestHead bytes with no end of head.
EHeadScan ScanRequestHead(const QByteArray& buffer, int* headLength = nullptr);
// Parses a whole head; false when the request line or a header line is malformed.
bool ParseRequestHead(const QByteArray& head, CRequestHead& out);
// A whole response that closes the connection.
QByteArray HttpResponse(int status, const QByteArray& contentType, const QByteArray& body);
// Whether an Origin header names the same host and port the request was sent to
// (a page from elsewhere may not open the live connection). No Origin is fine.
bool SameOrigin(const CRequestHead& head);
