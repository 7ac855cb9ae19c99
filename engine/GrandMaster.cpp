#include "document/ShowData.h"

#include <algorithm>
#include <cstdint>

void CShowData::SetMaster(int percent)
{
    const int master = std::clamp(percent, 0, 100);
    if (master == m_master)
        return;
    m_master = master;
    m_masterStale = true;
}

void CShowData::SetBlackout(bool on)
{
    if (on == m_blackout)
        return;
    m_blackout = on;
    m_sendPending = true;
}

int CShowData::SentLevel(int level) const
{
    if (m_blackout)
        return 0;
    // Wide: a stray level from a file must not overflow; at 100 every level stays as it is.
    return static_cast<int>(static_cast<int64_t>(level) * std::clamp(m_master, 0, 100) / 100);
}

int CShowData::ShownLevel(int channel) const
{
    if (channel < 0 || channel >= kChannels)
        return 0;
    return SentLevel(m_level[channel]);
}

void CShowData::CountTickForMaster()
{
    if (m_ticksSinceChannels < kStaleTicks)
        ++m_ticksSinceChannels;
}

void CShowData::MarkStaleLevelsDue()
{
    if (m_masterStale && m_ticksSinceChannels >= kStaleTicks)
        m_sendPending = true;
}

void CShowData::SendPendingNow()
{
    if (!m_sendPending || m_sendBusy)
        return;
    m_sendBusy = true;
    SendFrames("chase");  // pending: the channel sequence
    m_sendBusy = false;
}
