#include "console/SerialLines.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <libudev.h>
#include <map>

namespace {

std::string Text(const char* value)
{
    return value != nullptr ? value : "";
}

// udev's "ID_MODEL" form ("FT232R_USB_UART") for people.
std::string Readable(std::string value)
{
    std::replace(value.begin(), value.end(), '_', ' ');
    return value;
}

// A sysfs attribute, else the udev property (in its readable form).
std::string Field(udev_device* usbDevice, const char* attribute, udev_device* tty, const char* property)
{
    std::string value = usbDevice != nullptr ? Text(udev_device_get_sysattr_value(usbDevice, attribute)) : "";
    while (!value.empty() && (value.back() == ' ' || value.back() == '\n'))
        value.pop_back();
    return value.empty() ? Readable(Text(udev_device_get_property_value(tty, property))) : value;
}

bool StartsWith(const std::string& text, const char* prefix)
{
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

void TakeLink(const std::string& link, CSerialLine& line)
{
    if (StartsWith(link, "/dev/serial/by-id/") && line.byId.empty())
        line.byId = link;
    else if (StartsWith(link, "/dev/serial/by-path/") && line.byPath.empty())
        line.byPath = link;
}

// The device's links from udev's database, else from its DEVLINKS property (what a
// device freshly announced, or one in a container without the database, has).
void TakeLinks(udev_device* tty, CSerialLine& line)
{
    for (udev_list_entry* e = udev_device_get_devlinks_list_entry(tty); e != nullptr; e = udev_list_entry_get_next(e))
        TakeLink(Text(udev_list_entry_get_name(e)), line);
    std::string links = Text(udev_device_get_property_value(tty, "DEVLINKS"));
    for (size_t start = 0; start < links.size();) {
        size_t end = links.find(' ', start);
        if (end == std::string::npos)
            end = links.size();
        TakeLink(links.substr(start, end - start), line);
        start = end + 1;
    }
}

// A ttyS port the kernel made without a UART behind it reports type 0.
bool RealBuiltIn(udev_device* tty)
{
    const char* type = udev_device_get_sysattr_value(tty, "type");
    return type != nullptr && std::atoi(type) != 0;
}

bool ReadLine(udev_device* tty, CSerialLine& line)
{
    const char* node = udev_device_get_devnode(tty);
    const char* name = udev_device_get_sysname(tty);
    if (node == nullptr || name == nullptr)
        return false;
    line.device = node;
    udev_device* usbDevice = udev_device_get_parent_with_subsystem_devtype(tty, "usb", "usb_device");
    line.usb = usbDevice != nullptr;
    if (!line.usb) {
        if (std::strncmp(name, "ttyS", 4) == 0) {
            if (!RealBuiltIn(tty))
                return false;
        } else if (udev_device_get_parent(tty) == nullptr) {
            return false;  // virtual consoles, ptmx and the like
        }
    }
    if (line.usb) {
        line.maker = Field(usbDevice, "manufacturer", tty, "ID_VENDOR");
        line.model = Field(usbDevice, "product", tty, "ID_MODEL");
        line.serial = Field(usbDevice, "serial", tty, "ID_SERIAL_SHORT");
        line.socket = Text(udev_device_get_sysname(usbDevice));
    } else {
        line.maker = "Built-in serial port";
    }
    TakeLinks(tty, line);
    return true;
}

// "ttyUSB10" after "ttyUSB2".
bool DeviceOrder(const CSerialLine& a, const CSerialLine& b)
{
    auto split = [](const std::string& device) {
        size_t digits = device.find_last_not_of("0123456789") + 1;
        return std::make_pair(device.substr(0, digits), std::atol(device.c_str() + digits));
    };
    return split(a.device) < split(b.device);
}

}  // namespace

std::vector<CSerialLine> ListSerialLines(udev* context)
{
    std::vector<CSerialLine> lines;
    if (context == nullptr)
        return lines;
    udev_enumerate* all = udev_enumerate_new(context);
    if (all == nullptr)
        return lines;
    udev_enumerate_add_match_subsystem(all, "tty");
    udev_enumerate_scan_devices(all);
    for (udev_list_entry* e = udev_enumerate_get_list_entry(all); e != nullptr; e = udev_list_entry_get_next(e)) {
        udev_device* tty = udev_device_new_from_syspath(context, udev_list_entry_get_name(e));
        if (tty == nullptr)
            continue;
        CSerialLine line;
        if (ReadLine(tty, line))
            lines.push_back(std::move(line));
        udev_device_unref(tty);
    }
    udev_enumerate_unref(all);
    std::sort(lines.begin(), lines.end(), DeviceOrder);
    ChooseStableNames(lines);
    return lines;
}

void ChooseStableNames(std::vector<CSerialLine>& lines)
{
    std::map<std::string, int> serials;
    for (const CSerialLine& line : lines)
        if (line.usb && !line.serial.empty())
            ++serials[line.serial];
    for (CSerialLine& line : lines) {
        bool ownSerial = line.usb && !line.serial.empty() && serials[line.serial] == 1;
        line.keepInSocket = false;
        if (ownSerial && !line.byId.empty()) {
            line.stableName = line.byId;
        } else if (line.usb && !line.byPath.empty()) {
            line.stableName = line.byPath;
            line.keepInSocket = true;
        } else {
            line.stableName = line.device;
        }
    }
}

std::string SerialLineLabel(const CSerialLine& line)
{
    std::string label = line.maker;
    if (!line.model.empty())
        label += (label.empty() ? "" : " ") + line.model;
    size_t slash = line.device.rfind('/');
    label += " (" + line.device.substr(slash == std::string::npos ? 0 : slash + 1) + ")";
    if (line.usb)
        label += "\n" + (line.serial.empty() ? std::string("no serial number") : "serial " + line.serial) +
                 (line.socket.empty() ? "" : ", USB socket " + line.socket);
    return label;
}

const CSerialLine* FindSerialLine(const std::vector<CSerialLine>& lines, const char* name)
{
    if (name == nullptr || name[0] == '\0')
        return nullptr;
    for (const CSerialLine& line : lines)
        for (const std::string* known : {&line.stableName, &line.device, &line.byId, &line.byPath})
            if (!known->empty() && *known == name)
                return &line;
    return nullptr;
}
