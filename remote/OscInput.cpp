#include "remote/OscInput.h"

#include "remote/OscPacket.h"

#include <QNetworkDatagram>
#include <QUdpSocket>

namespace {

// Datagrams taken in one turn of the event loop; the rest wait for the next turn.
constexpr int kDatagramsPerTurn = 64;

}  // namespace

COscInput::COscInput(IShowControl& show, QObject* parent)
    : QObject(parent)
    , m_show(show)
{
}

COscInput::~COscInput()
{
    Close();
}

bool COscInput::Listen(const QHostAddress& address, quint16 port, QString* why)
{
    Close();
    m_socket = new QUdpSocket(this);
    if (!m_socket->bind(address, port)) {
        if (why != nullptr)
            *why = m_socket->errorString();
        Close();
        return false;
    }
    connect(m_socket, &QUdpSocket::readyRead, this, &COscInput::OnReadyRead);
    return true;
}

void COscInput::Close()
{
    delete m_socket;
    m_socket = nullptr;
}

quint16 COscInput::Port() const
{
    return m_socket != nullptr ? m_socket->localPort() : 0;
}

void COscInput::OnReadyRead()
{
    if (m_socket == nullptr)
        return;  // closed since the turn was asked for
    for (int i = 0; i < kDatagramsPerTurn && m_socket->hasPendingDatagrams(); ++i) {
        const QNetworkDatagram datagram = m_socket->receiveDatagram(kMaxOscPacket + 1);
        Take(datagram.data(), datagram.senderAddress());
    }
    if (m_socket->hasPendingDatagrams())
        QMetaObject::invokeMethod(this, &COscInput::OnReadyRead, Qt::QueuedConnection);
}

void COscInput::Take(const QByteArray& packet, const QHostAddress& from)
{
    if (!m_peerCheck(from)) {
        ++m_counters.refusedPeers;
        emit Changed();
        return;
    }
    std::vector<COscMessage> messages;
    if (!ParseOscPacket(packet, messages)) {
        ++m_counters.malformed;
        emit Changed();
        return;
    }
    for (const COscMessage& message : messages) {
        CRemoteCommand command{ERemoteOp::kGo, 0};
        if (!OscCommand(message, command)) {
            ++m_counters.malformed;
            continue;
        }
        ++m_counters.commands;
        RunRemoteCommand(m_show, command);
    }
    emit Changed();
}
