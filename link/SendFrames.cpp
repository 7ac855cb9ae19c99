#include "document/ShowData.h"
#include "link/FrameEncoder.h"
#include "link/SerialPort.h"

#include <cstring>

static_assert(kChaseFrameBytes <= kFrameBufferSize, "the chase frame is built in m_frameBuffer");
static_assert(kChaseTiers == kTiers && kLampCircuits == kCircuits, "frame and document agree on the lamps");

namespace {

const unsigned char kLeadInByte = 0x00;

// Writes one sequence to one port. Once a write comes back short (the line is
// held back past its time-out, or it failed), the rest of the sequence's writes
// are skipped so a stuck line costs one time-out per sequence, not one per
// write; the purges still run, as they always close a sequence.
class CSequenceWriter {
public:
    explicit CSequenceWriter(CSerialPort& port) : m_port(port) {}

    void Write(const unsigned char* bytes, int count)
    {
        if (!m_gaveUp && m_port.Write(bytes, count) < count)
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

}  // namespace

void CShowData::SendFrames(const char* kind)
{
    CSerialPort* ports[2] = {m_tree1Port, m_tree2Port};
    bool usable[2];
    for (int i = 0; i < 2; ++i)
        usable[i] = ports[i] != nullptr && ports[i]->IsUsable();

    bool channels = (kind != nullptr && std::strcmp(kind, "cue") == 0) || m_sendPending;
    bool cueInRange = m_currentCue >= 0 && m_currentCue < kCueSlots;
    for (int i = 0; i < 2; ++i) {
        m_treeTookFrames[i] = false;
        if (!usable[i] || !m_running || !m_sendTreeSignals)
            continue;
        CSequenceWriter out(*ports[i]);
        if (channels) {
            out.LeadIn();
            for (int k = 0; k < kChannels; ++k) {
                int level = cueInRange ? m_cueLevel[k][m_currentCue] : 0;
                EncodeChannelFrame(m_frameBuffer, k, m_fadeTicks[k], level);
                out.Write(m_frameBuffer, kChannelFrameBytes);
                out.LeadIn();
                out.Purge();
            }
        } else {
            int r = CurrentStepRecord();
            if (r < 0 || r >= kStepRecords)
                r = 0;
            EncodeChaseFrame(m_frameBuffer,
                             {m_stepTierLamps[r], m_stepChestLamps[r], m_stepOutlineLamps[r]});
            out.LeadIn();
            out.Purge();
            out.Write(m_frameBuffer, kChaseFrameBytes);
            out.Purge();
        }
        m_treeTookFrames[i] = !out.GaveUp();
    }
    m_sendPending = false;
}
