#pragma once
// The bytes the tree's lamp controllers understand: channel frames (target level
// and fade of one dimmer channel), the chase frame (on/off state of every lamp
// circuit of one light step) and the fixed start-up and shut-down frames.

#include <cstdint>

class CSerialPort;

constexpr int kLeadInBytes = 33;
constexpr int kChannelFrameBytes = 12;
constexpr int kChaseFrameBytes = 38;
constexpr int kChaseLampBytes = 29;
constexpr int kChaseTiers = 18;
constexpr int kLampCircuits = 6;
// L, then per channel: frame, L.
constexpr int kChannelSequenceBytes = kLeadInBytes + 14 * (kChannelFrameBytes + kLeadInBytes);
// L, chase frame.
constexpr int kChaseSequenceBytes = kLeadInBytes + kChaseFrameBytes;

constexpr unsigned char kCmdChannel = 0x02;
constexpr unsigned char kCmdRail = 0x04;
constexpr unsigned char kCmdChase = 0x14;

extern const unsigned char kStartupFrame[kChannelFrameBytes];
extern const unsigned char kShutdownFrame[kChannelFrameBytes];

// Level 0..100 to the code of byte 7; levels outside 0..100 are held at the nearer end.
int LevelCode(int level);
// Plain 16-bit sum of bytes[from..to], no folding or complement.
uint16_t FrameChecksum(const unsigned char* bytes, int from, int to);
// Command and address bytes A, B of channel 0..13; false for any other channel.
bool ChannelAddress(int channel, unsigned char& command, unsigned char& a, unsigned char& b);

// Channel frame of channel 0..13 (any other channel leaves `out` untouched and returns false).
bool EncodeChannelFrame(unsigned char* out, int channel, int fadeTicks, int level);

// Lamp states of one light step, non-zero = on.
struct LampStates {
    const unsigned char (*tiers)[kLampCircuits];  // kChaseTiers rows, tier t at t-1
    const unsigned char* chest;                   // kLampCircuits
    const unsigned char* outline;                 // kLampCircuits
};
// Tier shown at lamp byte i (0..28, frame byte 7+i); 0 = outline, -1 = chest.
int LampByteSource(int lampByte);
// Lamp byte: bit c-1 set when circuit c is off.
unsigned char LampByte(const unsigned char* circuits);
void EncodeChaseFrame(unsigned char* out, const LampStates& lamps);

// One 12-byte write of a fixed frame to Tree 1 then Tree 2, whatever the run
// flags; a null or closed port is skipped.
void SendFixedFrame(CSerialPort* tree1, CSerialPort* tree2, const unsigned char* frame);
