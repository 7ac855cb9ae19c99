#include "remote/RemoteServer.h"

#include "remote/HttpHead.h"
#include "remote/RemoteMessage.h"
#include "remote/RemoteState.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWebSocket>
#include <QWebSocketServer>

namespace {

// The page's files, from the program's resources.
struct CPageFile {
    const char* path;
    const char* resource;
    const char* type;
};
constexpr CPageFile kPage[] = {
    {"/", ":/remote/index.html", "text/html; charset=utf-8"},
    {"/remote.js", ":/remote/remote.js", "text/javascript; charset=utf-8"},
    {"/remote.css", ":/remote/remote.css", "text/css; charset=utf-8"},
};
constexpr size_t kMaxClientIds = 256;
// A socket larger than this on the wire is closed by the WebSocket layer itself.
constexpr qint64 kMaxWireMessage = 64 * 1024;

QByteArray Json(std::initializer_list<std::pair<QString, QJsonValue>> fields)
{
    QJsonObject o;
    for (const auto& [key, value] : fields)
        o.insert(key, value);
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

qint64 SteadyMs()
{
    static QElapsedTimer since = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return since.elapsed();
}

}  // namespace

CRemoteServer::CRemoteServer(IShowControl& show, IRemoteStateSource& source, CPairing& pairing, QObject* parent)
    : QObject(parent)
    , m_show(show)
    , m_source(source)
    , m_pairing(pairing)
    , m_nowMs(SteadyMs)
{
    m_stateTimer.setInterval(kStateIntervalMs);
    connect(&m_stateTimer, &QTimer::timeout, this, &CRemoteServer::PushState);
}

CRemoteServer::~CRemoteServer()
{
    Close();
}

bool CRemoteServer::Listen(const QHostAddress& address, quint16 port, QString* why)
{
    Close();
    m_http = new QTcpServer(this);
    m_ws = new QWebSocketServer(QStringLiteral("Glimmerbox"), QWebSocketServer::NonSecureMode, this);
    m_ws->setMaxPendingConnections(kMaxClients);
    m_ws->setHandshakeTimeout(std::chrono::milliseconds(kHeadTimeoutMs));
    if (!m_http->listen(address, port)) {
        if (why != nullptr)
            *why = m_http->errorString();
        Close();
        return false;
    }
    connect(m_http, &QTcpServer::newConnection, this, &CRemoteServer::OnHttpConnection);
    connect(m_ws, &QWebSocketServer::newConnection, this, &CRemoteServer::OnWebSocket);
    m_lastState.clear();
    m_stateTimer.start();
    return true;
}

void CRemoteServer::Close()
{
    m_stateTimer.stop();
    for (CClient& client : m_clients) {
        client.socket->disconnect(this);
        client.socket->abort();
        client.socket->deleteLater();
    }
    m_clients.clear();
    if (m_http != nullptr) {
        m_http->close();
        for (QTcpSocket* socket : m_http->findChildren<QTcpSocket*>())
            socket->abort();
        delete m_http;
        m_http = nullptr;
    }
    delete m_ws;
    m_ws = nullptr;
}

bool CRemoteServer::Listening() const
{
    return m_http != nullptr && m_http->isListening();
}

quint16 CRemoteServer::Port() const
{
    return Listening() ? m_http->serverPort() : 0;
}

void CRemoteServer::OnHttpConnection()
{
    while (QTcpSocket* socket = m_http->nextPendingConnection()) {
        if (!m_peerCheck(socket->peerAddress())) {
            ++m_counters.refusedPeers;
            socket->abort();
            socket->deleteLater();
            emit Changed();
            continue;
        }
        socket->setReadBufferSize(kMaxRequestHead);
        // A head that never finishes is not waited for.
        QTimer::singleShot(kHeadTimeoutMs, socket, [this, socket] {
            if (socket->property("glimmerHandedOver").toBool())
                return;
            Answer(socket, 408);
        });
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { OnHttpData(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        if (socket->bytesAvailable() > 0)
            OnHttpData(socket);
    }
}

void CRemoteServer::OnHttpData(QTcpSocket* socket)
{
    // Peeked, not read: an upgrade goes on to the WebSocket server with its head unread.
    const QByteArray buffer = socket->peek(kMaxRequestHead);
    int length = 0;
    const EHeadScan scan = ScanRequestHead(buffer, &length);
    if (scan == EHeadScan::kIncomplete)
        return;
    if (scan == EHeadScan::kTooLarge)
        return Answer(socket, 431);
    CRequestHead head;
    if (!ParseRequestHead(buffer.left(length), head))
        return Answer(socket, 400);
    if (head.method != "GET")
        return Answer(socket, 405);
    if (head.contentLength != 0)
        return Answer(socket, 413);  // the page never sends a body
    if (head.upgrade) {
        if (head.path != "/live" || !SameOrigin(head))
            return Answer(socket, 403);
        if (static_cast<int>(m_clients.size()) >= kMaxClients)
            return Answer(socket, 503);
        socket->setProperty("glimmerHandedOver", true);
        socket->disconnect(this);
        disconnect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        socket->setReadBufferSize(0);
        socket->setParent(nullptr);  // the WebSocket server takes it over
        m_ws->handleConnection(socket);
        return;
    }
    for (const CPageFile& file : kPage) {
        if (head.path != file.path)
            continue;
        QFile resource(QString::fromLatin1(file.resource));
        if (!resource.open(QIODevice::ReadOnly))
            break;
        socket->read(length);
        socket->write(HttpResponse(200, file.type, resource.readAll()));
        socket->disconnectFromHost();
        return;
    }
    Answer(socket, 404);
}

void CRemoteServer::Answer(QTcpSocket* socket, int status, const QByteArray& type, const QByteArray& body)
{
    if (status != 200) {
        ++m_counters.refusedRequests;
        emit Changed();
    }
    socket->disconnect(this);
    // What the peer sent is dropped unread, so the close does not reset the answer away.
    socket->setReadBufferSize(0);
    socket->readAll();
    socket->write(HttpResponse(status, type, body.isEmpty() ? QByteArray::number(status) + '\n' : body));
    socket->disconnectFromHost();
}

void CRemoteServer::OnWebSocket()
{
    while (QWebSocket* socket = m_ws->nextPendingConnection()) {
        if (!m_peerCheck(socket->peerAddress()) || static_cast<int>(m_clients.size()) >= kMaxClients) {
            ++m_counters.refusedPeers;
            socket->abort();
            socket->deleteLater();
            continue;
        }
        socket->setParent(this);
        socket->setMaxAllowedIncomingMessageSize(kMaxWireMessage);
        socket->setMaxAllowedIncomingFrameSize(kMaxWireMessage);
        m_clients.push_back({socket, socket->peerAddress().toString(), false});
        connect(socket, &QWebSocket::textMessageReceived, this,
                [this, socket](const QString& text) { OnMessage(socket, text); });
        connect(socket, &QWebSocket::binaryMessageReceived, this,
                [this, socket](const QByteArray&) { Refuse(socket, QStringLiteral("binary message")); });
        // A connection that does not pair in a while makes room for one that will.
        QTimer::singleShot(kUnpairedMs, socket, [this, socket] {
            const CClient* client = Find(socket);
            if (client != nullptr && !client->paired)
                socket->close(QWebSocketProtocol::CloseCodePolicyViolated, QStringLiteral("not paired"));
        });
        connect(socket, &QWebSocket::disconnected, this, [this, socket] {
            std::erase_if(m_clients, [socket](const CClient& c) { return c.socket == socket; });
            socket->deleteLater();
        });
    }
}

CRemoteServer::CClient* CRemoteServer::Find(QWebSocket* socket)
{
    for (CClient& client : m_clients)
        if (client.socket == socket)
            return &client;
    return nullptr;
}

void CRemoteServer::Refuse(QWebSocket* socket, const QString& why)
{
    ++m_counters.refusedMessages;
    socket->sendTextMessage(QString::fromUtf8(Json({{"type", "refused"}, {"reason", why}})));
    emit Changed();
}

bool CRemoteServer::Fresh(const QString& client, qint64 seq)
{
    auto it = m_lastSeq.find(client);
    if (it != m_lastSeq.end()) {
        if (seq <= it->second)
            return false;
        it->second = seq;
        return true;
    }
    if (m_lastSeq.size() >= kMaxClientIds)
        m_lastSeq.erase(m_lastSeq.begin());
    m_lastSeq.emplace(client, seq);
    return true;
}

void CRemoteServer::OnMessage(QWebSocket* socket, const QString& text)
{
    CClient* client = Find(socket);
    if (client == nullptr)
        return;
    CRemoteMessage message;
    QString why;
    if (text.size() > kMaxRemoteMessage)
        return Refuse(socket, QStringLiteral("too long"));
    if (!ParseRemoteMessage(text.toUtf8(), message, &why))
        return Refuse(socket, why);
    switch (message.kind) {
    case CRemoteMessage::EKind::kPair: {
        QByteArray token;
        const EPairResult result = m_pairing.TryCode(client->address, message.code, message.name, m_nowMs(), &token);
        if (result == EPairResult::kPaired) {
            client->paired = true;
            m_lastState.clear();  // the new phone gets the state at once
            socket->sendTextMessage(QString::fromUtf8(Json({{"type", "paired"}, {"token", QString::fromLatin1(token)}})));
            emit PhonesChanged();
            emit Changed();
            return;
        }
        ++m_counters.wrongCodes;
        const bool locked = result == EPairResult::kLockedOut || m_pairing.LockedOut(client->address, m_nowMs());
        if (locked && result == EPairResult::kWrongCode)
            ++m_counters.lockouts;
        socket->sendTextMessage(QString::fromUtf8(
            Json({{"type", "refused"}, {"reason", locked ? "Locked out for a minute" : "Wrong code"}})));
        emit Changed();
        return;
    }
    case CRemoteMessage::EKind::kHello:
        client->paired = !m_pairing.PhoneOf(message.token).isNull();
        if (!client->paired)
            return Refuse(socket, QStringLiteral("not paired"));
        m_lastState.clear();
        socket->sendTextMessage(QString::fromUtf8(Json({{"type", "welcome"}})));
        return;
    case CRemoteMessage::EKind::kCommand:
        if (!client->paired)
            return Refuse(socket, QStringLiteral("not paired"));
        // A command sent again after a reconnect is acknowledged, not run twice.
        if (Fresh(message.client, message.seq)) {
            RunRemoteCommand(m_show, message.command);
            PushState();
        }
        // The socket may have gone while the operation ran; it is looked for again.
        if (Find(socket) != nullptr)
            socket->sendTextMessage(QString::fromUtf8(Json({{"type", "ack"}, {"seq", double(message.seq)}})));
        return;
    }
}

void CRemoteServer::ForgetAll()
{
    m_pairing.ForgetAll();
    for (CClient& client : m_clients) {
        if (!client.paired)
            continue;
        client.paired = false;
        client.socket->sendTextMessage(QString::fromUtf8(Json({{"type", "refused"}, {"reason", "not paired"}})));
    }
    emit PhonesChanged();
    emit Changed();
}

void CRemoteServer::PushState()
{
    bool anyone = false;
    for (const CClient& client : m_clients)
        anyone = anyone || client.paired;
    if (!anyone)
        return;
    const QByteArray state = RemoteStateJson(m_source.RemoteState());
    if (state == m_lastState)
        return;
    m_lastState = state;
    const QString text = QString::fromUtf8(state);
    for (const CClient& client : m_clients)
        if (client.paired)
            client.socket->sendTextMessage(text);
}
