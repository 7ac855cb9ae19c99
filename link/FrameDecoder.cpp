#include "link/FrameDecoder.h"

#include <cstdio>
#include <cstring>

int LevelFromCode(int code)
{
    for (int level = 0; level <= 100; ++level) {
        if (LevelCode(level) == code)
            return level;
    }
    return -1;
}

const char* ChannelName(int channel)
{
    static const char* const kNames[14] = {"Star",    "Cross",   "Aux 1",   "Aux 2",   "Aux 3",
                                           "Aux 4",   "Color 1", "Color 2", "Color 3", "Color 4",
                                           "Color 5", "Color 6", "Chest",   "Outline"};
    return channel >= 0 && channel < 14 ? kNames[channel] : "?";
}

void CFrameDecoder::AddStray(unsigned char byte)
{
    if (m_strayKept < kMaxFrameBytes)
        m_stray[m_strayKept++] = byte;
    ++m_strayTotal;
}

bool CFrameDecoder::FinishStray(DecodedFrame& out)
{
    if (m_strayTotal == 0)
        return false;
    out = DecodedFrame{};
    out.kind = FrameKind::kStray;
    out.length = m_strayKept;
    out.totalBytes = m_strayTotal;
    std::memcpy(out.bytes, m_stray, static_cast<size_t>(m_strayKept));
    m_strayKept = 0;
    m_strayTotal = 0;
    return true;
}

bool CFrameDecoder::Push(unsigned char byte, DecodedFrame& out)
{
    switch (m_state) {
    case State::kIdle:
        if (byte == 0x00) {
            bool stray = FinishStray(out);
            m_zeros = stray ? 1 : m_zeros + 1;
            return stray;
        }
        if (byte == 0xFF && m_zeros >= 3 && m_strayTotal == 0) {
            m_state = State::kFirstFF;
            return false;
        }
        m_zeros = 0;
        AddStray(byte);
        return false;
    case State::kFirstFF:
        m_state = State::kIdle;
        if (byte == 0xFF) {
            const unsigned char header[5] = {0x00, 0x00, 0x00, 0xFF, 0xFF};
            std::memcpy(m_frame, header, sizeof header);
            m_frameLength = 5;
            m_state = State::kCommand;
            return false;
        }
        // A lone 0xFF after zeros is no header.
        m_zeros = 0;
        AddStray(0xFF);
        return Push(byte, out);
    case State::kCommand:
        m_frame[m_frameLength++] = byte;
        if (byte == kCmdChannel || byte == kCmdRail) {
            m_expected = kChannelFrameBytes;
            m_state = State::kBody;
        } else if (byte == kCmdChase) {
            m_state = State::kLength;
        } else {
            Decode(out);
            return true;
        }
        return false;
    case State::kLength:
        m_frame[m_frameLength++] = byte;
        m_expected = 7 + byte + 2;
        m_state = State::kBody;
        return false;
    case State::kBody:
        m_frame[m_frameLength++] = byte;
        if (m_frameLength < m_expected)
            return false;
        Decode(out);
        return true;
    }
    return false;
}

bool CFrameDecoder::Flush(DecodedFrame& out)
{
    if (FinishStray(out))
        return true;
    if (m_state == State::kIdle)
        return false;
    if (m_state == State::kFirstFF) {
        m_state = State::kIdle;
        AddStray(0xFF);
        return FinishStray(out);
    }
    // A frame cut off by the end of the input.
    out = DecodedFrame{};
    out.kind = FrameKind::kUnknown;
    out.checksumOk = false;
    out.zerosBefore = m_zeros;
    out.length = out.totalBytes = m_frameLength;
    std::memcpy(out.bytes, m_frame, static_cast<size_t>(m_frameLength));
    m_state = State::kIdle;
    m_zeros = 0;
    return true;
}

void CFrameDecoder::Decode(DecodedFrame& out)
{
    out = DecodedFrame{};
    out.zerosBefore = m_zeros;
    out.length = out.totalBytes = m_frameLength;
    std::memcpy(out.bytes, m_frame, static_cast<size_t>(m_frameLength));
    m_state = State::kIdle;
    m_zeros = 0;

    const unsigned char* f = out.bytes;
    int n = out.length;
    out.kind = FrameKind::kUnknown;
    if (n < 9)
        return;  // a command that means nothing; its length is unknown
    unsigned sum = FrameChecksum(f, 5, n - 3);
    out.checksumOk = sum == static_cast<unsigned>(f[n - 2] << 8 | f[n - 1]);

    if (f[5] == kCmdChase) {
        if (f[6] != kChaseLampBytes)
            return;
        out.kind = FrameKind::kChase;
        bool seen[kChaseTiers + 2] = {};
        for (int i = 0; i < kChaseLampBytes; ++i) {
            unsigned char lamps = f[7 + i];
            if ((lamps & 0xC0) != 0)
                out.repeatsAgree = false;
            int source = LampByteSource(i);
            bool* row = source == 0 ? out.outlineOn : source == -1 ? out.chestOn : out.tierOn[source - 1];
            bool& first = seen[source + 1];
            for (int c = 0; c < kLampCircuits; ++c) {
                bool on = (lamps & (1u << c)) == 0;
                if (first && row[c] != on)
                    out.repeatsAgree = false;
                row[c] = on;
            }
            first = true;
        }
        return;
    }
    if (n != kChannelFrameBytes)
        return;
    if (std::memcmp(f, kStartupFrame, kChannelFrameBytes) == 0) {
        out.kind = FrameKind::kStartup;
        return;
    }
    if (std::memcmp(f, kShutdownFrame, kChannelFrameBytes) == 0) {
        out.kind = FrameKind::kShutdown;
        return;
    }
    for (int k = 0; k < 14; ++k) {
        unsigned char command, a, b;
        ChannelAddress(k, command, a, b);
        if (f[5] == command && f[8] == a && f[9] == b) {
            out.kind = FrameKind::kChannel;
            out.channel = k;
            out.fadeTicks = f[6];
            out.levelCode = f[7];
            out.level = LevelFromCode(f[7]);
            return;
        }
    }
}

namespace {

void AppendHex(std::string& text, const unsigned char* bytes, int count)
{
    char hex[4];
    for (int i = 0; i < count; ++i) {
        std::snprintf(hex, sizeof hex, " %02X", bytes[i]);
        text += hex;
    }
}

void AppendLamps(std::string& text, const char* label, const bool* on)
{
    text += label;
    for (int c = 0; c < kLampCircuits; ++c)
        text += on[c] ? 'X' : '.';
}

}  // namespace

std::string DescribeFrame(const DecodedFrame& frame)
{
    std::string text;
    char buffer[96];
    switch (frame.kind) {
    case FrameKind::kChannel:
        if (frame.level >= 0)
            std::snprintf(buffer, sizeof buffer, "channel %s fade %d level %d", ChannelName(frame.channel),
                          frame.fadeTicks, frame.level);
        else
            std::snprintf(buffer, sizeof buffer, "channel %s fade %d level ? (code %d, no level)",
                          ChannelName(frame.channel), frame.fadeTicks, frame.levelCode);
        text = buffer;
        break;
    case FrameKind::kStartup:
        text = "start-up frame";
        break;
    case FrameKind::kShutdown:
        text = "shut-down frame";
        break;
    case FrameKind::kChase:
        AppendLamps(text, "chase outline ", frame.outlineOn);
        AppendLamps(text, " chest ", frame.chestOn);
        text += " tiers";
        for (int t = 0; t < kChaseTiers; ++t) {
            std::snprintf(buffer, sizeof buffer, " %d:", t + 1);
            AppendLamps(text, buffer, frame.tierOn[t]);
        }
        if (!frame.repeatsAgree)
            text += " INCONSISTENT lamp bytes";
        break;
    case FrameKind::kUnknown:
        text = "UNKNOWN frame:";
        AppendHex(text, frame.bytes, frame.length);
        break;
    case FrameKind::kStray:
        std::snprintf(buffer, sizeof buffer, "STRAY %d byte%s:", frame.totalBytes,
                      frame.totalBytes == 1 ? "" : "s");
        text = buffer;
        AppendHex(text, frame.bytes, frame.length);
        if (frame.length < frame.totalBytes)
            text += " ...";
        break;
    }
    if (!frame.checksumOk && frame.kind != FrameKind::kStray)
        text += " BAD CHECKSUM";
    return text;
}

bool IsFault(const DecodedFrame& frame)
{
    return frame.kind == FrameKind::kUnknown || frame.kind == FrameKind::kStray || !frame.checksumOk ||
           !frame.repeatsAgree || (frame.kind == FrameKind::kChannel && frame.level < 0);
}
