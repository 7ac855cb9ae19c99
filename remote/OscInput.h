#pragma once
// Show-control input: OSC packets on UDP from the local networks, each message
// run through the console's operations. Malformed packets are dropped and counted.

#include "remote/LocalPeer.h"

#include <QHostAddress>
#include <QObject>

class IShowControl;
class QUdpSocket;

struct COscCounters {
    int commands = 0;
    int malformed = 0;     // cut short, misaligned, of another type, or not one of ours
    int refusedPeers = 0;  // from outside the local networks
};

class COscInput : public QObject {
    Q_OBJECT
public:
    explicit COscInput(IShowControl& show, QObject* parent = nullptr);
    ~COscInput() override;

    bool Listen(const QHostAddress& address, quint16 port, QString* why);
    void Close();
    bool Listening() const { return m_socket != nullptr; }
    quint16 Port() const;
    const COscCounters& Counters() const { return m_counters; }
    void SetPeerCheck(CPeerCheck check) { m_peerCheck = std::move(check); }

    // One datagram from `from`, as if it had arrived: how the socket and tests feed it.
    void Take(const QByteArray& packet, const QHostAddress& from);

signals:
    void Changed();

private:
    void OnReadyRead();

    IShowControl& m_show;
    QUdpSocket* m_socket = nullptr;
    COscCounters m_counters;
    CPeerCheck m_peerCheck = IsLocalPeer;
};
