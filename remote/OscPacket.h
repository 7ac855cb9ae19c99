#pragma once
// A strict reader of OSC 1.0 packets: a message is an address ("/..."), a type
// tag string (",", then 'i' for int32 and 'f' for float32 arguments), each part
// padded with NULs to a multiple of four bytes, arguments big-endian. A bundle
// ("#bundle", a time tag, then size-prefixed elements) may nest a few levels.
// Anything cut short, misaligned or of another type is refused as a whole.

#include "remote/RemoteCommand.h"

#include <QByteArray>
#include <vector>

struct COscArgument {
    char type;  // 'i' or 'f'
    qint32 i;
    float f;
};

struct COscMessage {
    QByteArray address;
    std::vector<COscArgument> arguments;
};

constexpr int kMaxOscPacket = 8192;
constexpr int kMaxOscArguments = 8;

// The messages of `packet`; false (and `out` unchanged) when it is malformed.
bool ParseOscPacket(const QByteArray& packet, std::vector<COscMessage>& out);

// The console command a message asks for: /glimmerbox/go, back, pause,
// blackout, stop (no arguments), master f 0.0..1.0, cue i. False for anything else.
bool OscCommand(const COscMessage& message, CRemoteCommand& command);
