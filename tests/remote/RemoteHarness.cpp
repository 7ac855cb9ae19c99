// The real console, offscreen, on the demo show in a fresh program directory,
// with a pseudo-terminal as Tree 1 and its remote on the loopback: what the
// browser test drives. Lines on standard input ask it things; each answer is one
// line on standard output:
//   info     -> PORT <port> CODE <code>
//   state    -> {"running":..,"cue":..,"blackout":..,"paused":..,"phones":[..],"status":".."}
//   wire     -> what Tree 1 received since the last "wire": {"levels":[[channel,level],..],"chase":n}
//   stop / start -> the remote's server switched off / on again on the same port
//   quit
// It ends by itself after a few minutes, should the test that drives it vanish.
#include "console/ConsoleRemote.h"
#include "console/MainDlg.h"
#include "document/ShowData.h"
#include "link/SerialPort.h"
#include "remote/Remote.h"
#include "tests/DecodeFrames.h"
#include "tests/FileTestSupport.h"
#include "tests/PtyLine.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace {

constexpr int kLifetimeMs = 5 * 60 * 1000;

// The demo show that ships with the program (its port file aside: the harness gives the ports).
void CopyDemo(const CTempProgramDir& dir)
{
    namespace fs = std::filesystem;
    for (const char* name : {"colors.txt", "default.B18", "default.cue"})
        fs::copy_file(fs::path(GLIMMER_SOURCE_DIR) / "demo" / name, dir.Path(name));
}

void Say(const QByteArray& line)
{
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    CTempProgramDir dir;
    CopyDemo(dir);
    CScriptedOperator person;
    person.files.push_back(dir.Path("default.cue"));
    CPtyLine line;
    CSerialPort tree1, tree2;
    if (!line.Ok() || !tree1.Open(line.path.c_str())) {
        Say("ERROR no pseudo-terminal");
        return 1;
    }
    auto doc = std::make_unique<CShowData>();
    doc->m_operator = &person;
    doc->m_tree1Port = &tree1;
    doc->m_tree2Port = &tree2;
    CRemote::s_listenAddress = QHostAddress::LocalHost;  // the test's browser is on this machine
    CMainDlg console(*doc);
    if (!console.Loaded() || console.Remote() == nullptr) {
        Say("ERROR console did not open");
        return 1;
    }
    console.OnSendTreeSignals();
    console.show();
    CRemote& remote = console.Remote()->Remote();
    QString why;
    if (!remote.SetEnabled(true, &why)) {
        Say("ERROR " + why.toUtf8());
        return 1;
    }
    const quint16 port = remote.Server().Port();

    QByteArray input;
    QSocketNotifier stdinReady(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&stdinReady, &QSocketNotifier::activated, [&] {
        char buffer[256];
        const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            app.quit();
            return;
        }
        input.append(buffer, n);
        for (qsizetype end; (end = input.indexOf('\n')) >= 0; input.remove(0, end + 1)) {
            const QByteArray ask = input.left(end).trimmed();
            if (ask == "info") {
                Say("PORT " + QByteArray::number(remote.Server().Port()) + " CODE " +
                    remote.Pairing().Code().toLatin1());
            } else if (ask == "state") {
                const CRemoteState s = console.Remote()->RemoteState();
                QJsonArray phones;
                for (const CPairedPhone& phone : remote.Pairing().Phones())
                    phones.append(phone.name);
                Say(QJsonDocument(QJsonObject{{"running", s.running},
                                              {"cue", s.cue},
                                              {"paused", s.paused},
                                              {"blackout", s.blackout},
                                              {"phones", phones},
                                              {"status", console.findChild<QLineEdit*>("1003")->text()}})
                        .toJson(QJsonDocument::Compact));
            } else if (ask == "wire") {
                QJsonArray levels;
                int chase = 0;
                for (const DecodedFrame& f : DecodeAll(line.Receive(0, 50))) {
                    if (f.kind == FrameKind::kChannel)
                        levels.append(QJsonArray{f.channel, f.level});
                    chase += f.kind == FrameKind::kChase;
                }
                Say(QJsonDocument(QJsonObject{{"levels", levels}, {"chase", chase}}).toJson(QJsonDocument::Compact));
            } else if (ask == "stop") {
                remote.Server().Close();
                Say("OK");
            } else if (ask == "start") {
                const bool ok = remote.Server().Listen(QHostAddress::LocalHost, port, &why);
                Say(ok ? "OK" : "ERROR " + why.toUtf8());
            } else if (ask == "quit") {
                app.quit();
            } else {
                Say("ERROR unknown " + ask);
            }
        }
    });
    QTimer::singleShot(kLifetimeMs, &app, &QApplication::quit);
    Say("READY");
    app.exec();
    console.OnClose();
    return 0;
}
