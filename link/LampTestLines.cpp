#include "link/LampTestLines.h"

#include "engine/LampTestPlan.h"
#include "link/FrameEncoder.h"
#include "link/SequenceWriter.h"
#include "link/SerialPort.h"
#include "link/TreeLines.h"

namespace {

void Forget(int (&held)[kChannels])
{
    for (int& level : held)
        level = -1;
}

}  // namespace

const char* LampLineText(ELampLine state)
{
    switch (state) {
    case ELampLine::kOpen:
        return "open";
    case ELampLine::kHeldBack:
        return "held back";
    case ELampLine::kLost:
        return "lost";
    case ELampLine::kNoPort:
        return "no serial port";
    case ELampLine::kNotSerial:
        return "not a serial port";
    }
    return "?";
}

CLampTestLines::CLampTestLines(CSerialPort* tree1, CSerialPort* tree2)
    : m_port{tree1, tree2}
{
    Forget(m_held[0]);
    Forget(m_held[1]);
}

void CLampTestLines::Send(const CLampTestState& state, int trees)
{
    for (int i = 0; i < 2; ++i)
        if (trees & (1 << i))
            SendTo(i, state, false);
}

void CLampTestLines::SendAllOff()
{
    for (int i = 0; i < 2; ++i)
        SendTo(i, CLampTestState{}, true);
}

void CLampTestLines::SendTo(int i, const CLampTestState& state, bool everyChannel)
{
    CSerialPort* port = m_port[i];
    if (port == nullptr || !port->IsUsable())
        return;
    CSequenceWriter out(*port);
    if (port->m_startupOwed) {
        out.Write(kStartupFrame, kChannelFrameBytes);
        port->m_startupOwed = out.GaveUp();
    }
    // A tree that missed frames holds levels nobody knows.
    if (port->m_treeBehind)
        Forget(m_held[i]);

    unsigned char frame[kChaseFrameBytes];
    bool leadIn = false;
    for (int k = 0; k < kChannels; ++k) {
        const int level = state.level[k] < 0 ? 0 : (state.level[k] > 100 ? 100 : state.level[k]);
        if (!everyChannel && m_held[i][k] == level)
            continue;
        if (!leadIn)
            out.LeadIn();
        leadIn = true;
        EncodeChannelFrame(frame, k, 0, level);
        out.Write(frame, kChannelFrameBytes);
        out.LeadIn();
        out.Purge();
        m_held[i][k] = out.GaveUp() ? -1 : level;
    }
    EncodeChaseFrame(frame, {state.tier, state.chest, state.outline});
    out.LeadIn();
    out.Purge();
    out.Write(frame, kChaseFrameBytes);
    out.Purge();

    m_heldBack[i] = out.GaveUp();
    if (out.GaveUp())
        Forget(m_held[i]);
    else
        port->m_treeBehind = false;
}

void CLampTestLines::CheckLines()
{
    CheckTreeLines(m_port[0], m_port[1]);
}

void CLampTestLines::HandBack()
{
    for (CSerialPort* port : m_port)
        if (port != nullptr)
            port->m_treeBehind = true;
}

ELampLine CLampTestLines::State(int i) const
{
    const CSerialPort* port = i == 0 || i == 1 ? m_port[i] : nullptr;
    if (port == nullptr)
        return ELampLine::kNoPort;
    switch (port->State()) {
    case ELineState::kNoPort:
        return ELampLine::kNoPort;
    case ELineState::kNotTerminal:
        return ELampLine::kNotSerial;
    case ELineState::kLost:
        return ELampLine::kLost;
    case ELineState::kOpen:
        break;
    }
    return m_heldBack[i] ? ELampLine::kHeldBack : ELampLine::kOpen;
}
