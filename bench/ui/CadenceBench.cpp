// How steadily the console's real 100 ms timer puts chase frames on a tree line,
// and how soon after the window is created the first frame is on the wire.
// A reader thread timestamps every complete frame as it arrives on a pseudo-terminal.
#include "console/MainDlg.h"
#include "document/ShowData.h"
#include "link/FrameEncoder.h"
#include "link/SerialPort.h"
#include "tests/PtyLine.h"
#include "tests/ScriptedOperator.h"

#include <QEventLoop>
#include <QTimer>
#include <QPushButton>
#include <algorithm>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <mutex>
#include <poll.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// A program directory with an 18-tier layout, one chase and one endless cue.
std::string MakeShow()
{
    char pattern[] = "/tmp/glimmer-bench-XXXXXX";
    std::string dir = mkdtemp(pattern);
    setenv("GLIMMERBOX_HOME", dir.c_str(), 1);
    std::ofstream colors(dir + "/colors.txt");
    colors << "color|0|255|255|255|white\ncolor|1|0|0|255|blue\n";
    for (int t = 1; t <= 18; ++t)
        colors << "row|" << t << "|1|0|1|0|1|0|\n";
    std::ofstream(dir + "/default.B18") << "Lit|1|step|" << std::string(120, '1') << "|\n";
    std::ofstream(dir + "/show.cue") << "Glow|Lit|100 0 0 0 0 0 50 50 50 50 50 50 10 0 50 50 1 20 -1|\n";
    return dir;
}

// The tree side of a pty: counts bytes and notes when each frame of `frameBytes` completed.
class CFrameClock {
public:
    CFrameClock()
    {
        if (!m_pty.Ok())
            std::abort();
        path = m_pty.path;
        m_reader = std::thread([this] { Read(); });
    }
    ~CFrameClock()
    {
        m_stop = true;
        m_reader.join();
    }
    void Expect(int frameBytes)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_frameBytes = frameBytes;
        m_pending = 0;
        m_times.clear();
    }
    std::vector<Clock::time_point> Times()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_times;
    }

    std::string path;

private:
    void Read()
    {
        unsigned char buffer[4096];
        while (!m_stop) {
            pollfd p{m_pty.master, POLLIN, 0};
            if (poll(&p, 1, 10) <= 0)
                continue;
            ssize_t n = read(m_pty.master, buffer, sizeof buffer);
            if (n <= 0)
                continue;
            Clock::time_point now = Clock::now();
            std::lock_guard<std::mutex> lock(m_mutex);
            for (m_pending += static_cast<int>(n); m_frameBytes > 0 && m_pending >= m_frameBytes;
                 m_pending -= m_frameBytes)
                m_times.push_back(now);
        }
    }

    CPtyLine m_pty;
    std::thread m_reader;
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    int m_frameBytes = 0;
    int m_pending = 0;
    std::vector<Clock::time_point> m_times;
};

struct CConsoleOnALine {
    CConsoleOnALine()
    {
        dir = MakeShow();
        person.files.push_back(dir + "/show.cue");
        doc->m_operator = &person;
        port.Open(line.path.c_str());
        doc->m_tree1Port = &port;
        doc->m_tree2Port = &none;
    }
    ~CConsoleOnALine() { std::system(("rm -rf " + dir).c_str()); }

    std::string dir;
    CScriptedOperator person;
    std::unique_ptr<CShowData> doc = std::make_unique<CShowData>();
    CFrameClock line;
    CSerialPort port;
    CSerialPort none;
};

// Runs the event loop (and so the console's timer) until `done`, checking every 10 ms.
void WaitFor(const std::function<bool()>& done, int limitMs)
{
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, [&] {
        if (done())
            loop.quit();
    });
    check.start(10);
    QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
    loop.exec();
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// 300 ticks of the real timer; mean interval and the 99th percentile of |interval - 100 ms|.
void BM_TickCadence(benchmark::State& state)
{
    constexpr int kTicks = 300;
    for (auto _ : state) {
        CConsoleOnALine rig;
        rig.line.Expect(kChannelFrameBytes);
        CMainDlg console(*rig.doc);
        WaitFor([&] { return !rig.line.Times().empty(); }, 1000);
        rig.line.Expect(kChaseSequenceBytes);
        console.OnSendTreeSignals();
        console.findChild<QPushButton*>("1006")->click();
        WaitFor([&] { return rig.line.Times().size() > kTicks; }, (kTicks + 50) * 100);
        std::vector<Clock::time_point> times = rig.line.Times();
        console.OnClose();
        std::vector<double> deviation;
        double sum = 0;
        for (size_t i = 1; i < times.size() && i <= kTicks; ++i) {
            double interval = Ms(times[i] - times[i - 1]);
            sum += interval;
            deviation.push_back(std::fabs(interval - 100.0));
        }
        if (deviation.empty()) {
            state.SkipWithError("no chase frames arrived");
            return;
        }
        std::sort(deviation.begin(), deviation.end());
        state.counters["intervals"] = static_cast<double>(deviation.size());
        state.counters["mean_ms"] = sum / static_cast<double>(deviation.size());
        state.counters["p99_dev_ms"] = deviation[deviation.size() * 99 / 100];
        state.counters["max_dev_ms"] = deviation.back();
    }
}
BENCHMARK(BM_TickCadence)->Iterations(1)->Unit(benchmark::kMillisecond);

// From creating the console window to the start-up frame arriving on the line,
// and from START to the first chase frame.
void BM_FirstFrameOnTheWire(benchmark::State& state)
{
    double startUp = 0, firstChase = 0;
    int runs = 0;
    for (auto _ : state) {
        CConsoleOnALine rig;
        rig.line.Expect(kChannelFrameBytes);
        Clock::time_point created = Clock::now();
        CMainDlg console(*rig.doc);
        WaitFor([&] { return !rig.line.Times().empty(); }, 1000);
        startUp += Ms(rig.line.Times().front() - created);
        rig.line.Expect(kChaseSequenceBytes);
        console.OnSendTreeSignals();
        Clock::time_point started = Clock::now();
        console.findChild<QPushButton*>("1006")->click();
        WaitFor([&] { return !rig.line.Times().empty(); }, 1000);
        firstChase += Ms(rig.line.Times().front() - started);
        console.OnClose();
        ++runs;
    }
    state.counters["startup_frame_ms"] = startUp / runs;
    state.counters["first_chase_ms"] = firstChase / runs;
}
BENCHMARK(BM_FirstFrameOnTheWire)->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace
