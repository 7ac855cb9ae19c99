#pragma once
// What the console benchmarks share: a program directory with a show, the tree
// side of a line that timestamps the frames arriving on it, and running the
// event loop until something has happened.

#include "document/ShowData.h"
#include "link/FrameDecoder.h"
#include "link/SerialPort.h"
#include "tests/PtyLine.h"
#include "tests/ScriptedOperator.h"

#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <poll.h>
#include <sched.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

using Clock = std::chrono::steady_clock;

// Options of the console benchmarks, from the command line (see main.cpp).
struct CBenchOptions {
    int busy = 0;          // processes that keep a processor busy beside the benchmarks
    double minutes = 0.5;  // how long the show clock's cadence is measured
};
inline CBenchOptions& BenchOptions()
{
    static CBenchOptions options;
    return options;
}

// A program directory with an 18-tier layout, one chase and one endless cue.
inline std::string MakeShow()
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

// The show of MakeShow in a document, with an operator who opens its cue list;
// the program directory goes when the rig does.
struct CShowRig {
    CShowRig()
    {
        dir = MakeShow();
        person.files.push_back(dir + "/show.cue");
        doc->m_operator = &person;
    }
    ~CShowRig()
    {
        std::error_code ignored;  // a directory already gone is fine
        std::filesystem::remove_all(dir, ignored);
    }

    std::string dir;
    CScriptedOperator person;
    std::unique_ptr<CShowData> doc = std::make_unique<CShowData>();
};

// The tree side of a pty: decodes what arrives on its own thread and notes when
// each frame of the expected kind completed. Paused, it reads nothing, as a tree
// that stopped reading.
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
    void Expect(FrameKind kind)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_kind = kind;
        m_times.clear();
    }
    std::vector<Clock::time_point> Times()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_times;
    }
    void Pause(bool paused) { m_paused = paused; }

    std::string path;

private:
    void Read()
    {
        // A tree's controllers have a processor of their own: where it may, the
        // reader runs above the show clock, so the figures are the console's, not the reader's.
        sched_param param{};
        param.sched_priority = 30;
        sched_setscheduler(0, SCHED_FIFO, &param);
        unsigned char buffer[4096];
        CFrameDecoder decoder;
        DecodedFrame frame;
        while (!m_stop) {
            pollfd p{m_pty.master, POLLIN, 0};
            if (m_paused || poll(&p, 1, 10) <= 0) {
                if (m_paused)
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
                continue;
            }
            ssize_t n = read(m_pty.master, buffer, sizeof buffer);
            Clock::time_point now = Clock::now();
            std::lock_guard<std::mutex> lock(m_mutex);
            for (ssize_t i = 0; i < n; ++i) {
                if (decoder.Push(buffer[i], frame) && frame.kind == m_kind && !IsFault(frame))
                    m_times.push_back(now);
            }
        }
    }

    CPtyLine m_pty;
    std::thread m_reader;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_paused{false};
    std::mutex m_mutex;
    FrameKind m_kind = FrameKind::kStray;
    std::vector<Clock::time_point> m_times;
};

// The show of MakeShow with Tree 1 on a timestamped line and no Tree 2.
struct CConsoleOnALine : CShowRig {
    CConsoleOnALine()
    {
        port.Open(line.path.c_str());
        doc->m_tree1Port = &port;
        doc->m_tree2Port = &none;
    }

    CFrameClock line;
    CSerialPort port;
    CSerialPort none;
};

// Runs the event loop (and so the console's timers) until `done`, checking every 10 ms.
inline void WaitFor(const std::function<bool()>& done, int limitMs)
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

inline double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// Mean, 99th percentile and maximum of `values`, as counters named with `prefix`.
inline void ReportSpread(benchmark::State& state, std::vector<double> values, const std::string& prefix)
{
    if (values.empty())
        return;
    double sum = 0;
    for (double v : values)
        sum += v;
    std::sort(values.begin(), values.end());
    state.counters[prefix + "mean_ms"] = sum / static_cast<double>(values.size());
    state.counters[prefix + "p99_ms"] = values[values.size() * 99 / 100];
    state.counters[prefix + "max_ms"] = values.back();
}

// How late each of `times` came against a 100 ms grid laid through the earliest
// of them (the frame that came soonest after its tick), in milliseconds.
inline std::vector<double> LatenessOnTheGrid(const std::vector<Clock::time_point>& times)
{
    std::vector<double> late;
    if (times.empty())
        return late;
    double soonest = 0;
    for (size_t i = 0; i < times.size(); ++i) {
        late.push_back(Ms(times[i] - times[0]) - 100.0 * static_cast<double>(i));
        soonest = std::min(soonest, late.back());
    }
    for (double& l : late)
        l -= soonest;
    return late;
}

// The first `limit` intervals of `times`: their mean, and the 99th percentile and
// maximum of |interval - 100 ms|, as counters named with `prefix`.
inline bool ReportCadence(benchmark::State& state, const std::vector<Clock::time_point>& times, size_t limit,
                          const std::string& prefix)
{
    std::vector<double> deviation;
    double sum = 0;
    for (size_t i = 1; i < times.size() && i <= limit; ++i) {
        double interval = Ms(times[i] - times[i - 1]);
        sum += interval;
        deviation.push_back(std::fabs(interval - 100.0));
    }
    if (deviation.empty()) {
        state.SkipWithError("no chase frames arrived");
        return false;
    }
    std::sort(deviation.begin(), deviation.end());
    state.counters[prefix + "intervals"] = static_cast<double>(deviation.size());
    state.counters[prefix + "mean_ms"] = sum / static_cast<double>(deviation.size());
    state.counters[prefix + "p99_dev_ms"] = deviation[deviation.size() * 99 / 100];
    state.counters[prefix + "max_dev_ms"] = deviation.back();
    return true;
}
