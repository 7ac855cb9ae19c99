#include "document/ShowData.h"
#include "link/FrameEncoder.h"
#include "link/SerialPort.h"

#include <cstring>

static_assert(kChaseFrameBytes <= kFrameBufferSize, "the chase frame is built in m_frameBuffer");
static_assert(kChaseTiers == kTiers && kLampCircuits == kCircuits, "frame and document agree on the lamps");

namespace {

const unsigned char kLeadInByte = 0x00;

// Writes one sequence to one port. Once a frame is dropped (the line is full, or
// it failed), the rest of the sequence is dropped too, so a stalled line costs one
// refused write per tick and what a tree gets of a sequence has no holes; the
// purges still run, as they always close a sequence.
class CSequenceWriter {
public:
    explicit CSequenceWriter(CSerialPort& port) : m_port(port) {}

    void Write(const unsigned char* bytes, int count)
    {
        if (!m_gaveUp && m_port.Write(bytes, count) != count)
            m_gaveUp = true;
    }
    void LeadIn()
    {
        // The controllers expect the lead-in as single-byte writes.
        for (int i = 0; i < kLeadInBytes && !m_gaveUp; ++i)
            Write(&kLeadInByte, 1);
    }
    void Purge() { m_port.Purge(kPurgeRxClear); }
    bool GaveUp() const { return m_gaveUp; }

private:
    CSerialPort& m_port;
    bool m_gaveUp = false;
};

void ChannelSequence(CSequenceWriter& out, CShowData& doc)
{
    bool cueInRange = doc.m_currentCue >= 0 && doc.m_currentCue < kCueSlots;
    out.LeadIn();
    for (int k = 0; k < kChannels; ++k) {
        int level = cueInRange ? doc.m_cueLevel[k][doc.m_currentCue] : 0;
        EncodeChannelFrame(doc.m_frameBuffer, k, doc.m_fadeTicks[k], doc.SentLevel(level));
        out.Write(doc.m_frameBuffer, kChannelFrameBytes);
        out.LeadIn();
        out.Purge();
    }
}

void ChaseSequence(CSequenceWriter& out, CShowData& doc)
{
    int r = doc.CurrentStepRecord();
    if (r < 0 || r >= kStepRecords)
        r = 0;
    EncodeChaseFrame(doc.m_frameBuffer,
                     {doc.m_stepTierLamps[r], doc.m_stepChestLamps[r], doc.m_stepOutlineLamps[r]});
    out.LeadIn();
    out.Purge();
    out.Write(doc.m_frameBuffer, kChaseFrameBytes);
    out.Purge();
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
