// Cost of the tree link per tick. For comparison, the wire itself at 38400 baud
// (10 bits a byte) needs 18.5 ms for a chase sequence (71 bytes) and 172.7 ms for
// a channel sequence (663 bytes) per port; a pty moves bytes without that limit.

#include "document/ShowData.h"
#include "link/FrameEncoder.h"
#include "link/SerialPort.h"

#include <atomic>
#include <benchmark/benchmark.h>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

// A tree that reads everything it is sent, on its own thread.
class CDrainedLine {
public:
    CDrainedLine()
    {
        int slave = -1;
        char name[256] = {};
        openpty(&m_master, &slave, name, nullptr, nullptr);
        close(slave);
        port.Open(name);
        m_reader = std::thread([this] {
            unsigned char buffer[4096];
            while (!m_stop) {
                pollfd p{m_master, POLLIN, 0};
                if (poll(&p, 1, 10) > 0 && read(m_master, buffer, sizeof buffer) <= 0)
                    break;
            }
        });
    }
    ~CDrainedLine()
    {
        m_stop = true;
        m_reader.join();
        port.Close();
        close(m_master);
    }

    CSerialPort port;

private:
    int m_master = -1;
    std::atomic<bool> m_stop{false};
    std::thread m_reader;
};

std::unique_ptr<CShowData> RunningShow()
{
    auto doc = std::make_unique<CShowData>();
    doc->m_running = doc->m_sendTreeSignals = true;
    doc->m_currentCue = 1;
    for (int k = 0; k < kChannels; ++k)
        doc->m_cueLevel[k][1] = 60 + k;
    std::memset(doc->m_stepTierLamps[1], 1, sizeof doc->m_stepTierLamps[1]);
    doc->m_chaseStepRecord[1] = 1;
    doc->m_chaseStep = 1;
    return doc;
}

void BM_EncodeChaseFrame(benchmark::State& state)
{
    auto doc = RunningShow();
    for (auto _ : state) {
        EncodeChaseFrame(doc->m_frameBuffer, {doc->m_stepTierLamps[1], doc->m_stepChestLamps[1],
                                              doc->m_stepOutlineLamps[1]});
        benchmark::DoNotOptimize(doc->m_frameBuffer);
    }
}
BENCHMARK(BM_EncodeChaseFrame);

// One tick's chase sequence to one tree: encode, 33 lead-in writes, purges, the frame.
void BM_ChaseSequenceToPty(benchmark::State& state)
{
    CDrainedLine line;
    auto doc = RunningShow();
    doc->m_tree1Port = &line.port;
    for (auto _ : state)
        doc->SendFrames("chase");
    state.SetBytesProcessed(state.iterations() * kChaseSequenceBytes);
}
BENCHMARK(BM_ChaseSequenceToPty)->Unit(benchmark::kMicrosecond);

// A cue start: the channel sequence to both trees, timed on the wall clock.
void BM_ChannelSequenceTwoPorts(benchmark::State& state)
{
    CDrainedLine line1, line2;
    auto doc = RunningShow();
    doc->m_tree1Port = &line1.port;
    doc->m_tree2Port = &line2.port;
    for (auto _ : state)
        doc->SendFrames("cue");
    state.SetBytesProcessed(state.iterations() * 2 * kChannelSequenceBytes);
}
BENCHMARK(BM_ChannelSequenceTwoPorts)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
