#include "remote/Remote.h"

#include "remote/LocalPeer.h"

#include <QNetworkInterface>

QHostAddress CRemote::s_listenAddress{QHostAddress::Any};

CRemote::CRemote(IShowControl& show, IRemoteStateSource& source, QString settingsPath, QObject* parent)
    : QObject(parent)
    , m_path(std::move(settingsPath))
    , m_server(show, source, m_pairing, this)
    , m_osc(show, this)
{
    if (!m_path.isEmpty())
        m_settings = LoadRemoteSettings(m_path);
    m_pairing.SetPhones(m_settings.phones);
    connect(&m_server, &CRemoteServer::PhonesChanged, this, &CRemote::Save);
    connect(&m_server, &CRemoteServer::Changed, this, &CRemote::Changed);
    connect(&m_osc, &COscInput::Changed, this, &CRemote::Changed);
}

namespace {

// Switches a server or the OSC input on or off; false with `why` when it could not listen.
template <class Listener>
bool Switch(Listener& listener, bool on, const QHostAddress& address, quint16 port, QString* why)
{
    if (!on) {
        listener.Close();
        return true;
    }
    return listener.Listening() || listener.Listen(address, port, why);
}

}  // namespace

bool CRemote::Resume(QString* why)
{
    if (m_settings.enabled && !m_server.Listening())
        m_pairing.NewCode();
    const bool web = !m_settings.enabled || Switch(m_server, true, m_listenAddress, m_settings.port, why);
    const bool osc = !m_settings.oscEnabled || Switch(m_osc, true, m_listenAddress, m_settings.oscPort, why);
    emit Changed();
    return web && osc;
}

bool CRemote::SetEnabled(bool on, QString* why)
{
    if (on && !m_server.Listening())
        m_pairing.NewCode();  // a new code each time the remote is switched on
    return Keep(m_settings.enabled, on, Switch(m_server, on, m_listenAddress, m_settings.port, why));
}

bool CRemote::SetOscEnabled(bool on, QString* why)
{
    return Keep(m_settings.oscEnabled, on, Switch(m_osc, on, m_listenAddress, m_settings.oscPort, why));
}

bool CRemote::Keep(bool& setting, bool on, bool ok)
{
    setting = on && ok;
    Save();
    emit Changed();
    return ok;
}

bool CRemote::SetPort(quint16 port, QString* why)
{
    if (port == 0)
        return false;
    const quint16 old = m_settings.port;
    m_settings.port = port;
    bool ok = true;
    if (m_server.Listening() && m_server.Port() != port) {
        ok = m_server.Listen(m_listenAddress, port, why);
        if (!ok) {
            m_settings.port = old;
            m_server.Listen(m_listenAddress, old, nullptr);
        }
    }
    Save();
    emit Changed();
    return ok;
}

void CRemote::ForgetAll()
{
    m_server.ForgetAll();  // saves through PhonesChanged
}

void CRemote::Save()
{
    m_settings.phones = m_pairing.Phones();
    if (m_path.isEmpty())
        return;
    QString why;
    m_saveError = SaveRemoteSettings(m_path, m_settings, &why) ? QString() : m_path + ": " + why;
}

QStringList CRemote::PageAddresses() const
{
    // IPv4 first, as most phones reach the console that way; the loopback, for this computer, last.
    QStringList v4, v6, loopback;
    const QString port = QString::number(m_settings.port);
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
        if (!IsLocalPeer(address))
            continue;
        QHostAddress plain = address;
        plain.setScopeId(QString());
        const bool isV6 = plain.protocol() == QAbstractSocket::IPv6Protocol;
        const QString url = "http://" + (isV6 ? "[" + plain.toString() + "]" : plain.toString()) + ":" + port + "/";
        (address.isLoopback() ? loopback : isV6 ? v6 : v4).append(url);
    }
    return v4 + v6 + loopback;
}

QString CRemote::StatusNote() const
{
    QString note;
    if (m_server.Listening())
        note += QStringLiteral(" - Remote On");
    if (m_osc.Listening())
        note += QStringLiteral(" - OSC On");
    for (const QString& address : m_pairing.LockedAddresses(m_server.NowMs()))
        note += " - Remote: " + address + " Locked Out For A Minute";
    return note;
}
