// Opening a tree's line by its stable by-id name (a symbolic link of 150 bytes, as
// udev makes them) against opening it by its device name.
#include "link/SerialPort.h"

#include <benchmark/benchmark.h>
#include <climits>
#include <cstdlib>
#include <pty.h>
#include <string>
#include <unistd.h>

namespace {

class CLinkedPty {
public:
    CLinkedPty()
    {
        int slave = -1;
        char name[PATH_MAX] = {};
        openpty(&m_master, &slave, name, nullptr, nullptr);
        close(slave);
        device = name;
        char dir[] = "/tmp/glimmer-byid-XXXXXX";
        m_dir = mkdtemp(dir) != nullptr ? dir : "/tmp";
        std::string base = m_dir + "/usb-FTDI_FT232R_USB_UART_";
        byId = base + std::string(150 - base.size() - 11, 'A') + "-if00-port0";
        symlink(device.c_str(), byId.c_str());
    }
    ~CLinkedPty()
    {
        unlink(byId.c_str());
        rmdir(m_dir.c_str());
        close(m_master);
    }
    std::string device;
    std::string byId;

private:
    int m_master = -1;
    std::string m_dir;
};

void OpenBy(benchmark::State& state, bool byId)
{
    CLinkedPty line;
    const std::string& name = byId ? line.byId : line.device;
    for (auto _ : state) {
        CSerialPort port(name.c_str());
        if (!port.IsUsable())
            state.SkipWithError("the line did not open");
    }
}

void BM_OpenByDeviceName(benchmark::State& state) { OpenBy(state, false); }
void BM_OpenByIdName(benchmark::State& state) { OpenBy(state, true); }

}  // namespace

BENCHMARK(BM_OpenByDeviceName)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenByIdName)->Unit(benchmark::kMicrosecond);
