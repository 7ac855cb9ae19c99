#include "link/TreeLines.h"

#include "link/FrameEncoder.h"
#include "link/SerialPort.h"

#include <string>

void CheckTreeLines(CSerialPort* tree1, CSerialPort* tree2)
{
    for (CSerialPort* port : {tree1, tree2}) {
        if (port == nullptr)
            continue;
        if (port->CheckLine()) {
            // The tree may have lost power with its line: it starts afresh.
            port->m_startupOwed = true;
            port->m_treeBehind = true;
        }
        // Sent whatever the run flags, as at the console's start.
        if (port->m_startupOwed && port->IsUsable() && port->Write(kStartupFrame, kChannelFrameBytes) > 0)
            port->m_startupOwed = false;
    }
}

bool UseTreeLine(CSerialPort& port, const char* name)
{
    if (port.IsUsable() && SerialDevicePath(name) == port.Path())
        return false;
    if (!port.Open(name))
        return false;
    port.SetLineFormat(kNoParity, 8, kOneStopBit);
    // A line too full to take it now gets it from the line check.
    port.m_startupOwed = !port.IsUsable() || port.Write(kStartupFrame, kChannelFrameBytes) == 0;
    return true;
}
