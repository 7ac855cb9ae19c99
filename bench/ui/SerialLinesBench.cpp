// The port setup with 32 serial adapters present: how long it takes to open with
// its list filled, and how soon a plug-in shows in it. Runs under umockdev's
// preload (umockdev-wrapper build/console_bench --benchmark_filter=PortSetup);
// without it the benchmarks say so and stop.
// glib's headers come before Qt's, whose `signals` keyword they use as a name.
#include <umockdev.h>


#include "console/ComPortDlg.h"
#include "document/ShowData.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

void AddAdapter(UMockdevTestbed* bed, int n, bool announce)
{
    std::string socket = "1-" + std::to_string(n + 1), tty = "ttyUSB" + std::to_string(n);
    std::string serial = "A" + std::to_string(5000 + n);
    gchar* usb = umockdev_testbed_add_device(bed, "usb", socket.c_str(), nullptr, "idVendor", "0403", "manufacturer",
                                             "FTDI", "product", "FT232R USB UART", "serial", serial.c_str(), nullptr,
                                             "DEVTYPE", "usb_device", nullptr);
    gchar* usbInterface = umockdev_testbed_add_device(bed, "usb", (socket + ":1.0").c_str(), usb, nullptr, "DEVTYPE",
                                                      "usb_interface", nullptr);
    std::string links = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_" + serial + "-if00-port0";
    gchar* line = umockdev_testbed_add_device(bed, "tty", tty.c_str(), usbInterface, nullptr, "DEVNAME",
                                              ("/dev/" + tty).c_str(), "DEVLINKS", links.c_str(), nullptr);
    if (announce)
        umockdev_testbed_uevent(bed, line, "add");
    g_free(usb);
    g_free(usbInterface);
    g_free(line);
}

struct CMockMachine {
    CMockMachine()
    {
        for (int n = 0; n < 32; ++n)
            AddAdapter(bed, n, false);
        std::snprintf(doc->m_tree1PortName, kPortNameSize, "NONE");
        std::snprintf(doc->m_tree2PortName, kPortNameSize, "NONE");
    }
    ~CMockMachine() { g_object_unref(bed); }
    UMockdevTestbed* bed = umockdev_testbed_new();
    std::unique_ptr<CShowData> doc = std::make_unique<CShowData>();
};

bool Mocked(benchmark::State& state)
{
    const char* preload = std::getenv("LD_PRELOAD");
    if (preload != nullptr && std::strstr(preload, "libumockdev-preload") != nullptr)
        return true;
    state.SkipWithError("run under umockdev-wrapper");
    return false;
}

void BM_PortSetupOpensWith32Lines(benchmark::State& state)
{
    if (!Mocked(state))
        return;
    CMockMachine machine;
    for (auto _ : state) {
        CComPortDlg dialog(*machine.doc);
        dialog.show();
        QApplication::processEvents();
        if (dialog.findChild<QListWidget*>("1194")->count() != 32)
            state.SkipWithError("the list does not hold the 32 lines");
    }
}

void BM_PortSetupShowsAPlugIn(benchmark::State& state)
{
    if (!Mocked(state))
        return;
    CMockMachine machine;
    CComPortDlg dialog(*machine.doc);
    auto* list = dialog.findChild<QListWidget*>("1194");
    int next = 32;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        AddAdapter(machine.bed, next++, true);
        while (list->count() < next && clock.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::AllEvents, 1);
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
    }
}

}  // namespace

BENCHMARK(BM_PortSetupOpensWith32Lines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PortSetupShowsAPlugIn)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);
