#pragma once
// The phone remote and show-control input as the console owns them: the pairing,
// the web server, the OSC input and their settings file. Everything is off until
// the operator switches it on; a console closed with the remote on starts with it on.

#include "remote/OscInput.h"
#include "remote/Pairing.h"
#include "remote/RemoteServer.h"
#include "remote/RemoteSettings.h"

#include <QHostAddress>
#include <QObject>
#include <QStringList>

class CRemote : public QObject {
    Q_OBJECT
public:
    // `settingsPath` is the settings file; "" keeps nothing between runs.
    CRemote(IShowControl& show, IRemoteStateSource& source, QString settingsPath, QObject* parent = nullptr);

    // Starts what the settings file says is on; false with `why` when a port could not be opened.
    bool Resume(QString* why);

    // Switching the remote on makes a new pairing code. False with `why` when the port is taken.
    bool SetEnabled(bool on, QString* why);
    bool SetOscEnabled(bool on, QString* why);
    // A new web port: the server moves there at once when it is on.
    bool SetPort(quint16 port, QString* why);
    void ForgetAll();

    const CRemoteSettings& Settings() const { return m_settings; }
    CPairing& Pairing() { return m_pairing; }
    CRemoteServer& Server() { return m_server; }
    COscInput& Osc() { return m_osc; }
    // Where the servers listen: every address unless a caller (a test) says otherwise.
    void SetListenAddress(const QHostAddress& address) { m_listenAddress = address; }
    // Where remotes made from now on listen; tests keep them on the loopback.
    static QHostAddress s_listenAddress;

    // "http://192.168.1.20:8040/" for each local network address of the machine, loopback last.
    QStringList PageAddresses() const;
    // What the console's status line adds: " - Remote On", the lockouts, "" while off.
    QString StatusNote() const;
    // The last save that failed, "" when none did.
    const QString& SaveError() const { return m_saveError; }

signals:
    void Changed();

private:
    // Notes a switch as it now is, saves the settings and tells the screens; returns `ok`.
    bool Keep(bool& setting, bool on, bool ok);
    void Save();

    QString m_path;
    CRemoteSettings m_settings;
    CPairing m_pairing;
    CRemoteServer m_server;
    COscInput m_osc;
    QHostAddress m_listenAddress = s_listenAddress;
    QString m_saveError;
};
