#include "document/ShowData.h"
#include "link/FrameEncoder.h"
#include "link/SequenceWriter.h"
#include "link/SerialPort.h"
#include "link/TreeLines.h"

#include <cstring>

static_assert(kChaseFrameBytes <= kFrameBufferSize, "the chase frame is built in m_frameBuffer");
static_assert(kChaseTiers == kTiers && kLampCircuits == kCircuits, "frame and document agree on the lamps");

namespace {

// The fourteen channel frames, each between lead-ins.
void WriteChannels(CSequenceWriter& out, unsigned char* buffer, const int (&levels)[kChannels],
                   const int (&fades)[kChannels])
{
    out.LeadIn();
    for (int k = 0; k < kChannels; ++k) {
        EncodeChannelFrame(buffer, k, fades[k], levels[k]);
        out.Write(buffer, kChannelFrameBytes);
        out.LeadIn();
        out.Purge();
    }
}

void WriteChase(CSequenceWriter& out, unsigned char* buffer, const LampStates& lamps)
{
    EncodeChaseFrame(buffer, lamps);
    out.LeadIn();
    out.Purge();
    out.Write(buffer, kChaseFrameBytes);
    out.Purge();
}

void ChannelSequence(CSequenceWriter& out, CShowData& doc)
{
    bool cueInRange = doc.m_currentCue >= 0 && doc.m_currentCue < kCueSlots;
    int levels[kChannels];
    for (int k = 0; k < kChannels; ++k)
        levels[k] = doc.SentLevel(cueInRange ? doc.m_cueLevel[k][doc.m_currentCue] : 0);
    WriteChannels(out, doc.m_frameBuffer, levels, doc.m_fadeTicks);
}

void ChaseSequence(CSequenceWriter& out, CShowData& doc)
{
    int r = doc.CurrentStepRecord();
    if (r < 0 || r >= kStepRecords)
        r = 0;
    WriteChase(out, doc.m_frameBuffer, {doc.m_stepTierLamps[r], doc.m_stepChestLamps[r], doc.m_stepOutlineLamps[r]});
}

}  // namespace

void CShowData::SendFrames(const char* kind)
{
    CSerialPort* ports[2] = {m_tree1Port, m_tree2Port};
    bool usable[2];
    for (int i = 0; i < 2; ++i)
        usable[i] = ports[i] != nullptr && ports[i]->IsUsable();

    bool channels = (kind != nullptr && std::strcmp(kind, "cue") == 0) || m_sendPending;
    if (channels) {
        // These carry the levels as the master has them now.
        m_masterStale = false;
        m_ticksSinceChannels = 0;
    }
    for (int i = 0; i < 2; ++i) {
        m_treeTookFrames[i] = false;
        if (!usable[i] || !m_running || !m_sendTreeSignals)
            continue;
        CSerialPort& port = *ports[i];
        CSequenceWriter out(port);
        // A line that came back gets what a tree gets at the console's start.
        if (port.m_startupOwed) {
            out.Write(kStartupFrame, kChannelFrameBytes);
            port.m_startupOwed = out.GaveUp();
        }
        // A tree that missed frames is brought up to date with the current cue first.
        bool catchUp = port.m_treeBehind;
        if (channels || catchUp)
            ChannelSequence(out, *this);
        else
            ChaseSequence(out, *this);
        if (out.GaveUp())
            continue;
        if (catchUp)
            port.m_treeBehind = false;
        m_treeTookFrames[i] = true;
    }
    m_sendPending = false;
}

bool SendBlinkFrames(CSerialPort& port, bool on)
{
    if (!port.IsUsable())
        return false;
    int levels[kChannels], fades[kChannels] = {};
    unsigned char tiers[kTiers][kCircuits], rail[kCircuits];
    for (int& level : levels)
        level = on ? 100 : 0;
    std::memset(tiers, on ? 1 : 0, sizeof tiers);
    std::memset(rail, on ? 1 : 0, sizeof rail);
    unsigned char buffer[kFrameBufferSize];
    CSequenceWriter out(port);
    WriteChannels(out, buffer, levels, fades);
    WriteChase(out, buffer, {tiers, rail, rail});
    return !out.GaveUp();
}
