// The phone remote under load: from a GO sent by a WebSocket client on the
// loopback to the first channel frame on the tree's line, and the show clock's
// cadence with ten clients connected, one of them sending 1,000 malformed
// messages a second, beside the same console with no clients, in one run.
// The clients live on a thread of their own, so the window thread's time is the console's.
#include "bench/ui/ConsoleRig.h"
#include "console/ConsoleRemote.h"
#include "console/MainDlg.h"
#include "link/SerialPort.h"
#include "remote/Remote.h"

#include <QPushButton>
#include <QThread>
#include <QWebSocket>
#include <sys/resource.h>

namespace {

struct CRemoteRig : CShowRig {
    CRemoteRig()
    {
        port.Open(line.path.c_str());
        doc->m_tree1Port = &port;
        doc->m_tree2Port = &none;
        CRemote::s_listenAddress = QHostAddress::LocalHost;
    }
    // Opens the console with the show sending and the remote on; its port.
    quint16 Start(CMainDlg& console)
    {
        line.Expect(FrameKind::kStartup);
        WaitFor([&] { return !line.Times().empty(); }, 1000);
        console.OnSendTreeSignals();
        console.findChild<QPushButton*>("1006")->click();
        CRemote& remote = console.Remote()->Remote();
        remote.SetEnabled(true, nullptr);
        return remote.Server().Port();
    }

    CFrameClock line;
    CSerialPort port;
    CSerialPort none;
};

QString PairText(const QString& code)
{
    return R"({"type":"pair","code":")" + code + R"(","name":"bench"})";
}

QString GoText(qint64 seq)
{
    return R"({"type":"cmd","client":"bench","seq":)" + QString::number(seq) + R"(,"op":"go"})";
}

double ThreadCpuMs()
{
    rusage use{};
    getrusage(RUSAGE_THREAD, &use);
    return static_cast<double>(use.ru_utime.tv_sec + use.ru_stime.tv_sec) * 1e3 +
           static_cast<double>(use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e3;
}

// p99 and maximum of GO to the first channel frame on the line, over 200 GOs.
void BM_RemoteGoToWire(benchmark::State& state)
{
    for (auto _ : state) {
        CRemoteRig rig;
        CMainDlg console(*rig.doc);
        const quint16 port = rig.Start(console);
        QWebSocket phone;
        bool paired = false;
        QObject::connect(&phone, &QWebSocket::textMessageReceived,
                         [&](const QString& t) { paired = paired || t.contains("\"paired\""); });
        phone.open(QUrl("ws://127.0.0.1:" + QString::number(port) + "/live"));
        WaitFor([&] { return phone.state() == QAbstractSocket::ConnectedState; }, 3000);
        phone.sendTextMessage(PairText(console.Remote()->Remote().Pairing().Code()));
        WaitFor([&] { return paired; }, 3000);
        std::vector<double> latency;
        for (int i = 1; i <= 200 && paired; ++i) {
            rig.line.Expect(FrameKind::kChannel);
            const Clock::time_point sent = Clock::now();
            phone.sendTextMessage(GoText(i));
            WaitFor([&] { return !rig.line.Times().empty(); }, 1000);
            const std::vector<Clock::time_point> times = rig.line.Times();
            if (!times.empty())
                latency.push_back(Ms(times.front() - sent));
        }
        console.OnClose();
        state.counters["gos"] = static_cast<double>(latency.size());
        ReportSpread(state, latency, "go_to_wire_");
    }
}
BENCHMARK(BM_RemoteGoToWire)->Iterations(1)->Unit(benchmark::kMillisecond);

// Ten phones on a thread of their own: nine paired and watching, one sending ten
// malformed messages every 10 ms.
class CPhones : public QObject {
public:
    void Open(quint16 port, const QString& code)
    {
        for (int i = 0; i < 10; ++i) {
            auto* socket = new QWebSocket(QString(), QWebSocketProtocol::VersionLatest, this);
            const bool flooder = i == 0;
            QObject::connect(socket, &QWebSocket::connected, socket, [socket, flooder, code] {
                if (!flooder)
                    socket->sendTextMessage(PairText(code));
            });
            QObject::connect(socket, &QWebSocket::textMessageReceived, this, [this](const QString&) { ++received; });
            socket->open(QUrl("ws://127.0.0.1:" + QString::number(port) + "/live"));
            if (flooder) {
                auto* flood = new QTimer(this);
                QObject::connect(flood, &QTimer::timeout, socket, [this, socket] {
                    if (socket->state() != QAbstractSocket::ConnectedState)
                        return;
                    for (int k = 0; k < 10; ++k, ++sent)
                        socket->sendTextMessage(k % 2 ? "{\"type\":\"cmd\",\"op\":" : "[1,2,3]");
                });
                flood->start(10);
            }
        }
    }
    std::atomic<int> sent{0};
    std::atomic<int> received{0};
};

void BM_RemoteFloodCadence(benchmark::State& state)
{
    const size_t ticks = static_cast<size_t>(BenchOptions().minutes * 300);  // each half of the run
    for (auto _ : state) {
        CRemoteRig rig;
        CMainDlg console(*rig.doc);
        const quint16 port = rig.Start(console);
        WaitFor([] { return false; }, 500);

        rig.line.Expect(FrameKind::kChase);
        double cpu = ThreadCpuMs();
        Clock::time_point from = Clock::now();
        WaitFor([&] { return rig.line.Times().size() > ticks; }, static_cast<int>(ticks + 50) * 100);
        const std::vector<Clock::time_point> quiet = rig.line.Times();
        const double quietCpu = (ThreadCpuMs() - cpu) / Ms(Clock::now() - from);

        QThread thread;
        auto* phones = new CPhones;
        phones->moveToThread(&thread);
        QObject::connect(&thread, &QThread::finished, phones, &QObject::deleteLater);
        thread.start();
        const QString code = console.Remote()->Remote().Pairing().Code();
        QMetaObject::invokeMethod(phones, [phones, port, code] { phones->Open(port, code); });
        WaitFor([&] { return console.Remote()->Remote().Server().Clients() == 10; }, 5000);
        const int refusedBefore = console.Remote()->Remote().Server().Counters().refusedMessages;

        rig.line.Expect(FrameKind::kChase);
        cpu = ThreadCpuMs();
        from = Clock::now();
        WaitFor([&] { return rig.line.Times().size() > ticks; }, static_cast<int>(ticks + 50) * 100);
        const std::vector<Clock::time_point> loaded = rig.line.Times();
        const double seconds = Ms(Clock::now() - from) / 1e3;
        const double loadedCpu = (ThreadCpuMs() - cpu) / (seconds * 1e3);
        const CRemoteCounters counters = console.Remote()->Remote().Server().Counters();
        thread.quit();
        thread.wait();
        console.OnClose();

        state.counters["clients"] = 10;
        state.counters["malformed_per_s"] = (counters.refusedMessages - refusedBefore) / seconds;
        state.counters["window_cpu_quiet_pct"] = quietCpu * 100;
        state.counters["window_cpu_loaded_pct"] = loadedCpu * 100;
        ReportCadence(state, quiet, ticks, "quiet_tree_");
        ReportCadence(state, loaded, ticks, "loaded_tree_");
    }
}
BENCHMARK(BM_RemoteFloodCadence)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
