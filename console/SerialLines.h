#pragma once
// The machine's serial lines as udev knows them: USB adapters with maker, model,
// serial number and socket, and built-in ports that have a real UART behind them.

#include <string>
#include <vector>

struct udev;

struct CSerialLine {
    std::string device;  // "/dev/ttyUSB0"
    std::string byId;    // its /dev/serial/by-id/ name, "" when udev gave none
    std::string byPath;  // its /dev/serial/by-path/ name, "" when udev gave none
    std::string maker;
    std::string model;
    std::string serial;  // "" when the adapter has none
    std::string socket;  // the USB socket ("1-1.2"), "" for a built-in port
    bool usb = false;
    // What a tree stores for this line (see ChooseStableNames) and whether the
    // operator must keep the adapter in its socket for that name to find it.
    std::string stableName;
    bool keepInSocket = false;
};

// Every USB serial adapter and every built-in port with a real UART, in device
// order (ttyS0, ttyS1, ttyUSB0, ttyUSB2, ttyUSB10). The placeholder ttyS ports a
// PC kernel makes without hardware, virtual consoles and pseudo-terminals are left out.
std::vector<CSerialLine> ListSerialLines(udev* context);
// The name a tree keeps for each line: the by-id name when the adapter's serial
// number is its own (not empty, no other adapter present has it), otherwise the
// by-path name, which holds only while the adapter stays in that socket. Built-in
// ports keep their device name.
void ChooseStableNames(std::vector<CSerialLine>& lines);
// Two lines for a list: "FTDI FT232R USB UART (ttyUSB0)" and "serial A50285BI, USB socket 1-1.2".
std::string SerialLineLabel(const CSerialLine& line);
// The line of `lines` a stored port name stands for (by any of its names), or null.
const CSerialLine* FindSerialLine(const std::vector<CSerialLine>& lines, const char* name);
