#pragma once
// The phone remote's server: the page over a small GET-only HTTP server and the
// live connection (WebSocket) on the same port. Runs on the window's thread in
// its event loop; every command goes through the console's operations, one at a
// time, so the show lock is never held for longer than one operation.

#include "remote/LocalPeer.h"
#include "remote/Pairing.h"

#include <QHostAddress>
#include <QObject>
#include <QTimer>
#include <functional>
#include <map>
#include <vector>

class IRemoteStateSource;
class IShowControl;
class QTcpServer;
class QTcpSocket;
class QWebSocket;
class QWebSocketServer;

struct CRemoteCounters {
    int refusedPeers = 0;     // connections and packets from outside the local networks
    int refusedRequests = 0;  // HTTP requests answered with an error
    int refusedMessages = 0;  // live messages refused: malformed, oversized, unknown, unpaired
    int wrongCodes = 0;
    int lockouts = 0;
};

class CRemoteServer : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxClients = 16;
    static constexpr int kHeadTimeoutMs = 5000;
    static constexpr int kStateIntervalMs = 100;
    static constexpr int kUnpairedMs = 3 * 60 * 1000;

    CRemoteServer(IShowControl& show, IRemoteStateSource& source, CPairing& pairing, QObject* parent = nullptr);
    ~CRemoteServer() override;

    // Starts listening on `address`:`port`; false with the reason in `why`.
    bool Listen(const QHostAddress& address, quint16 port, QString* why);
    void Close();
    bool Listening() const;
    quint16 Port() const;

    // Ends every phone's pairing at once; their pages ask for the code again.
    void ForgetAll();
    const CRemoteCounters& Counters() const { return m_counters; }
    int Clients() const { return static_cast<int>(m_clients.size()); }

    // Tests put their own peer check and clock in place.
    void SetPeerCheck(CPeerCheck check) { m_peerCheck = std::move(check); }
    void SetClock(std::function<qint64()> nowMs) { m_nowMs = std::move(nowMs); }
    qint64 NowMs() const { return m_nowMs(); }
    // Sends the state now to every paired page when it changed since the last one sent.
    void PushState();

signals:
    // The phones, the counters or a lockout changed: screens showing them refresh.
    void Changed();
    // A phone was paired or all were forgotten: the phones are worth saving.
    void PhonesChanged();

private:
    struct CClient {
        QWebSocket* socket;
        QString address;
        bool paired = false;
    };
    void OnHttpConnection();
    void OnHttpData(QTcpSocket* socket);
    void Answer(QTcpSocket* socket, int status, const QByteArray& type = "text/plain; charset=utf-8",
                const QByteArray& body = {});
    void OnWebSocket();
    void OnMessage(QWebSocket* socket, const QString& text);
    void Refuse(QWebSocket* socket, const QString& why);
    CClient* Find(QWebSocket* socket);
    bool Fresh(const QString& client, qint64 seq);

    IShowControl& m_show;
    IRemoteStateSource& m_source;
    CPairing& m_pairing;
    QTcpServer* m_http = nullptr;
    QWebSocketServer* m_ws = nullptr;
    std::vector<CClient> m_clients;
    std::map<QString, qint64> m_lastSeq;  // per client id: the last command run
    QByteArray m_lastState;
    QTimer m_stateTimer;
    CRemoteCounters m_counters;
    CPeerCheck m_peerCheck = IsLocalPeer;
    std::function<qint64()> m_nowMs;
};
