// The port setup's line list against fake udev devices. These tests need
// umockdev's preload library and run as their own ctest entry under
// umockdev-wrapper; run in the plain test binary they skip and say so.
// glib's headers come before Qt's, whose `signals` keyword they use as a name.
#include <umockdev.h>

#include "console/ComPortDlg.h"
#include "console/SerialLines.h"
#include "tests/FileTestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <libudev.h>

namespace {

struct Adapter {
    const char* tty;     // "ttyUSB0"
    const char* socket;  // "1-1"
    const char* vendor;  // idVendor
    const char* maker;
    const char* model;
    const char* serial;  // "" for an adapter without one
};

const Adapter kFtdiA{"ttyUSB0", "1-1", "0403", "FTDI", "FT232R USB UART", "A50285BI"};
const Adapter kFtdiB{"ttyUSB1", "1-2", "0403", "FTDI", "FT232R USB UART", "A9M7QX2C"};
const Adapter kBareA{"ttyUSB2", "1-3", "067b", "Prolific Technology Inc.", "USB-Serial Controller", ""};
const Adapter kBareB{"ttyUSB3", "1-4", "067b", "Prolific Technology Inc.", "USB-Serial Controller", ""};
const Adapter kCh340{"ttyUSB4", "2-1.4", "1a86", "", "USB Serial", ""};

std::string ById(const Adapter& a)
{
    std::string id = std::string(a.maker) + "_" + a.model + "_" + a.serial;
    std::replace(id.begin(), id.end(), ' ', '_');  // udev's own form: no blanks in a link
    return "/dev/serial/by-id/usb-" + id + "-if00-port0";
}

std::string ByPath(const Adapter& a)
{
    return std::string("/dev/serial/by-path/pci-0000:00:14.0-usb-0:") + a.socket + ":1.0-port0";
}

class SerialLinesMockTest : public FileTest {
protected:
    void SetUp() override
    {
        const char* preload = std::getenv("LD_PRELOAD");
        if (preload == nullptr || std::strstr(preload, "libumockdev-preload") == nullptr)
            GTEST_SKIP() << "needs umockdev's preload: run through umockdev-wrapper (ctest SerialLinesUnderUmockdev)";
        bed = umockdev_testbed_new();
    }
    void TearDown() override
    {
        if (bed != nullptr)
            g_object_unref(bed);
    }

    // A USB device, its interface and the tty beneath, as the kernel shows an adapter.
    std::string Plug(const Adapter& a, bool announce = false)
    {
        std::string usbName = a.socket;
        gchar* usb = umockdev_testbed_add_device(bed, "usb", usbName.c_str(), nullptr, "idVendor", a.vendor,
                                                 "manufacturer", a.maker, "product", a.model, "serial", a.serial,
                                                 nullptr, "DEVTYPE", "usb_device", nullptr);
        gchar* usbInterface = umockdev_testbed_add_device(bed, "usb", (usbName + ":1.0").c_str(), usb, nullptr,
                                                          "DEVTYPE", "usb_interface", nullptr);
        std::string links = (a.serial[0] != '\0' ? ById(a) + " " : std::string()) + ByPath(a);
        gchar* tty = umockdev_testbed_add_device(bed, "tty", a.tty, usbInterface, nullptr, "DEVNAME",
                                                 (std::string("/dev/") + a.tty).c_str(), "DEVLINKS", links.c_str(),
                                                 "ID_BUS", "usb", nullptr);
        std::string path = tty;
        if (announce)
            umockdev_testbed_uevent(bed, tty, "add");
        g_free(usb);
        g_free(usbInterface);
        g_free(tty);
        return path;
    }
    // A built-in port; `uartType` 0 is the placeholder a PC kernel makes without hardware.
    void BuiltIn(const char* name, const char* uartType)
    {
        std::string parentName = std::string("serial8250.") + name;
        gchar* parent = umockdev_testbed_add_device(bed, "platform", parentName.c_str(), nullptr, nullptr, nullptr);
        gchar* tty = umockdev_testbed_add_device(bed, "tty", name, parent, "type", uartType, nullptr, "DEVNAME",
                                                 (std::string("/dev/") + name).c_str(), nullptr);
        g_free(parent);
        g_free(tty);
    }
    std::vector<CSerialLine> List()
    {
        udev* context = udev_new();
        std::vector<CSerialLine> lines = ListSerialLines(context);
        udev_unref(context);
        return lines;
    }
    static QStringList Shown(QListWidget* list)
    {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text().section('\n', 0, 0);
        return texts;
    }
    // Runs the event loop until `done` or 2 s have passed, whichever is first.
    template <class Done>
    static bool Within2s(Done done)
    {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    }

    UMockdevTestbed* bed = nullptr;
};

// Two adapters with serial numbers of their own are kept by serial number; two
// that have none (or share one) by their USB socket; a built-in port only when
// it has a UART.
TEST_F(SerialLinesMockTest, EachLineIsListedWithTheNameATreeKeeps)
{
    for (const Adapter* a : {&kFtdiA, &kFtdiB, &kBareA, &kBareB, &kCh340})
        Plug(*a);
    BuiltIn("ttyS0", "4");
    BuiltIn("ttyS1", "0");
    const struct {
        const char* device;
        std::string label;
        std::string stored;
        bool keepInSocket;
    } expected[] = {
        {"/dev/ttyS0", "Built-in serial port (ttyS0)", "/dev/ttyS0", false},
        {"/dev/ttyUSB0", "FTDI FT232R USB UART (ttyUSB0)\nserial A50285BI, USB socket 1-1", ById(kFtdiA), false},
        {"/dev/ttyUSB1", "FTDI FT232R USB UART (ttyUSB1)\nserial A9M7QX2C, USB socket 1-2", ById(kFtdiB), false},
        {"/dev/ttyUSB2", "Prolific Technology Inc. USB-Serial Controller (ttyUSB2)\nno serial number, USB socket 1-3",
         ByPath(kBareA), true},
        {"/dev/ttyUSB3", "Prolific Technology Inc. USB-Serial Controller (ttyUSB3)\nno serial number, USB socket 1-4",
         ByPath(kBareB), true},
        {"/dev/ttyUSB4", "USB Serial (ttyUSB4)\nno serial number, USB socket 2-1.4", ByPath(kCh340), true},
    };
    std::vector<CSerialLine> lines = List();
    ASSERT_EQ(lines.size(), std::size(expected));
    for (size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(expected[i].device);
        EXPECT_EQ(lines[i].device, expected[i].device);
        EXPECT_EQ(SerialLineLabel(lines[i]), expected[i].label);
        EXPECT_EQ(lines[i].stableName, expected[i].stored);
        EXPECT_EQ(lines[i].keepInSocket, expected[i].keepInSocket);
    }
}

TEST_F(SerialLinesMockTest, TwoAdaptersSharingASerialNumberAreKeptBySocket)
{
    Adapter twin = kFtdiB;
    twin.serial = kFtdiA.serial;
    Plug(kFtdiA);
    Plug(twin);
    for (const CSerialLine& line : List()) {
        EXPECT_TRUE(line.keepInSocket) << line.device;
        EXPECT_EQ(line.stableName.rfind("/dev/serial/by-path/", 0), 0u) << line.stableName;
    }
}

// The screen follows the machine while it is open: a pull-out and a plug-in show
// within a second or two, and clicking a line stores its stable name.
TEST_F(SerialLinesMockTest, PortScreenFollowsPlugOutAndPlugIn)
{
    std::string first = Plug(kFtdiA);
    Plug(kBareA);
    std::snprintf(doc->m_tree1PortName, kPortNameSize, "NONE");
    std::snprintf(doc->m_tree2PortName, kPortNameSize, "COM2");
    CComPortDlg dialog(*doc);
    auto* tree1 = dialog.findChild<QListWidget*>("1194");
    auto* tree2 = dialog.findChild<QListWidget*>("1195");
    EXPECT_EQ(Shown(tree1), QStringList({"FTDI FT232R USB UART (ttyUSB0)",
                                         "Prolific Technology Inc. USB-Serial Controller (ttyUSB2)"}));

    tree1->setCurrentRow(0);
    EXPECT_EQ(doc->m_tree1PortName, ById(kFtdiA));
    tree2->setCurrentRow(1);
    EXPECT_EQ(doc->m_tree2PortName, ByPath(kBareA));

    umockdev_testbed_uevent(bed, first.c_str(), "remove");
    umockdev_testbed_remove_device(bed, first.c_str());
    EXPECT_TRUE(Within2s([&] { return tree1->count() == 1; })) << "pull-out not seen";
    EXPECT_EQ(tree2->currentRow(), 0) << "the chosen line stays chosen";

    Plug(kCh340, true);
    EXPECT_TRUE(Within2s([&] { return tree1->count() == 2; })) << "plug-in not seen";
    EXPECT_EQ(Shown(tree1).last(), "USB Serial (ttyUSB4)");

    if (const char* shots = std::getenv("GLIMMER_SCREENSHOT_DIR")) {
        Plug(kFtdiB, true);
        Within2s([&] { return tree1->count() == 3; });
        tree1->setCurrentRow(1);
        dialog.grab().save(QString(shots) + "/port-setup-adapters.png");
    }
}

}  // namespace
