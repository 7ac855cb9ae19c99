#pragma once
// Reads the byte stream of a tree line back into frames, for the tree monitor:
// every frame is checked against its checksum, and anything that is not a frame
// (stray bytes, unknown commands, broken headers) is reported, never skipped silently.

#include "link/FrameEncoder.h"

#include <string>

enum class FrameKind {
    kChannel,   // channel frame of one dimmer channel
    kStartup,   // the fixed start-up frame
    kShutdown,  // the fixed shut-down frame
    kChase,     // lamp states of one light step
    kUnknown,   // a header followed by a command or address that means nothing
    kStray,     // bytes outside any frame
};

constexpr int kMaxFrameBytes = 5 + 2 + 255 + 2;

struct DecodedFrame {
    FrameKind kind = FrameKind::kStray;
    bool checksumOk = true;
    int zerosBefore = 0;          // 0x00 bytes since the previous frame, header zeros included
    int length = 0;               // bytes of the frame (or of the stray run) kept in `bytes`
    int totalBytes = 0;           // bytes it covered on the line
    unsigned char bytes[kMaxFrameBytes] = {};
    // Channel frames
    int channel = -1;             // 0..13
    int fadeTicks = 0;
    int levelCode = 0;
    int level = -1;               // -1 when the code is no level code
    // Chase frames: true = lamp on
    bool tierOn[kChaseTiers][kLampCircuits] = {};
    bool chestOn[kLampCircuits] = {};
    bool outlineOn[kLampCircuits] = {};
    bool repeatsAgree = true;     // the chest byte's four copies and the doubled tiers match
};

// Level 0..100 whose code is `code`, or -1 for a code no level produces.
int LevelFromCode(int code);
// "Star", "Cross", "Aux 1".., "Color 1".., "Chest", "Outline"; "?" outside 0..13.
const char* ChannelName(int channel);

class CFrameDecoder {
public:
    // Takes one byte; true when `out` holds a finished frame or stray run.
    bool Push(unsigned char byte, DecodedFrame& out);
    // Reports a stray run or a frame cut off at the end of the input.
    bool Flush(DecodedFrame& out);

private:
    enum class State { kIdle, kFirstFF, kCommand, kLength, kBody };
    bool FinishStray(DecodedFrame& out);
    void AddStray(unsigned char byte);
    void Decode(DecodedFrame& out);

    State m_state = State::kIdle;
    int m_zeros = 0;
    unsigned char m_frame[kMaxFrameBytes] = {};
    int m_frameLength = 0;
    int m_expected = 0;
    unsigned char m_stray[kMaxFrameBytes] = {};
    int m_strayKept = 0;
    int m_strayTotal = 0;
};

// One line of text for the monitor.
std::string DescribeFrame(const DecodedFrame& frame);
// True for what the monitor flags: stray bytes, unknown frames, bad checksums.
bool IsFault(const DecodedFrame& frame);
