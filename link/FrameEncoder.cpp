#include "link/FrameEncoder.h"

#include "link/SerialPort.h"

#include <cstring>

const unsigned char kStartupFrame[kChannelFrameBytes] = {
    0x00, 0x00, 0x00, 0xFF, 0xFF, 0x02, 0x01, 0xFF, 0x3F, 0x3F, 0x01, 0x80};
const unsigned char kShutdownFrame[kChannelFrameBytes] = {
    0x00, 0x00, 0x00, 0xFF, 0xFF, 0x02, 0x01, 0x00, 0x3F, 0x3F, 0x00, 0x81};

namespace {

const unsigned char kHeader[5] = {0x00, 0x00, 0x00, 0xFF, 0xFF};

// Frame byte 7+i carries this tier (1..18); 0 = outline, -1 = chest rail.
// The controllers wire tiers 16..18 between 8 and 10 and see tiers 10..15 twice.
const signed char kLampSource[kChaseLampBytes] = {
    0, -1, -1, -1, -1, 1, 2, 3, 4, 5, 6, 7, 16, 8, 17, 9, 18,
    10, 10, 11, 11, 12, 12, 13, 13, 14, 14, 15, 15};

void PutChecksum(unsigned char* frame, int last)
{
    uint16_t sum = FrameChecksum(frame, 5, last);
    frame[last + 1] = static_cast<unsigned char>(sum >> 8);
    frame[last + 2] = static_cast<unsigned char>(sum & 0xFF);
}

}  // namespace

int LevelCode(int level)
{
    if (level < 0)
        level = 0;
    if (level > 100)
        level = 100;
    if (level < 59)
        return level + 85;
    return level * level / 95 + 110;
}

uint16_t FrameChecksum(const unsigned char* bytes, int from, int to)
{
    uint16_t sum = 0;
    for (int i = from; i <= to; ++i)
        sum = static_cast<uint16_t>(sum + bytes[i]);
    return sum;
}

bool ChannelAddress(int channel, unsigned char& command, unsigned char& a, unsigned char& b)
{
    if (channel < 0 || channel > 13)
        return false;
    if (channel >= 12) {
        command = kCmdRail;
        a = static_cast<unsigned char>(channel - 11);
        b = 0x3F;
    } else {
        command = kCmdChannel;
        a = channel < 6 ? static_cast<unsigned char>(1u << channel) : 0;
        b = channel >= 6 ? static_cast<unsigned char>(1u << (channel - 6)) : 0;
    }
    return true;
}

bool EncodeChannelFrame(unsigned char* out, int channel, int fadeTicks, int level)
{
    unsigned char command, a, b;
    if (!ChannelAddress(channel, command, a, b))
        return false;
    std::memcpy(out, kHeader, sizeof kHeader);
    out[5] = command;
    out[6] = static_cast<unsigned char>(fadeTicks & 0xFF);
    out[7] = static_cast<unsigned char>(LevelCode(level));
    out[8] = a;
    out[9] = b;
    PutChecksum(out, 9);
    return true;
}

int LampByteSource(int lampByte)
{
    if (lampByte < 0 || lampByte >= kChaseLampBytes)
        return 0;
    return kLampSource[lampByte];
}

unsigned char LampByte(const unsigned char* circuits)
{
    unsigned char bits = 0;
    for (int c = 0; c < kLampCircuits; ++c) {
        if (circuits[c] == 0)
            bits = static_cast<unsigned char>(bits | (1u << c));
    }
    return bits;
}

void EncodeChaseFrame(unsigned char* out, const LampStates& lamps)
{
    std::memcpy(out, kHeader, sizeof kHeader);
    out[5] = kCmdChase;
    out[6] = kChaseLampBytes;
    for (int i = 0; i < kChaseLampBytes; ++i) {
        int source = kLampSource[i];
        const unsigned char* circuits = source == 0    ? lamps.outline
                                        : source == -1 ? lamps.chest
                                                       : lamps.tiers[source - 1];
        out[7 + i] = LampByte(circuits);
    }
    PutChecksum(out, 7 + kChaseLampBytes - 1);
}

void SendFixedFrame(CSerialPort* tree1, CSerialPort* tree2, const unsigned char* frame)
{
    for (CSerialPort* port : {tree1, tree2}) {
        if (port != nullptr && port->IsOpen())
            port->Write(frame, kChannelFrameBytes);
    }
}
