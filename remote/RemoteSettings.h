#pragma once
// What the remote keeps between runs, in "remote.cfg" of the program directory:
// whether it is on, its port, whether OSC is on, and the paired phones (token
// hashes and names). Lines of "|"-separated fields, like the console's other files:
//   remote|1|8040|      on or off, web port
//   osc|0|8041|         on or off, UDP port
//   phone|<sha-256 hex>|<name>|

#include "remote/Pairing.h"

#include <QString>
#include <vector>

struct CRemoteSettings {
    static constexpr quint16 kDefaultPort = 8040;
    static constexpr quint16 kDefaultOscPort = 8041;

    bool enabled = false;
    quint16 port = kDefaultPort;
    bool oscEnabled = false;
    quint16 oscPort = kDefaultOscPort;
    std::vector<CPairedPhone> phones;
};

// Reads `path`; a missing file gives the defaults, and lines that make no sense are skipped.
CRemoteSettings LoadRemoteSettings(const QString& path);
// Writes `path` through the safe save; false with `why` set when it failed.
bool SaveRemoteSettings(const QString& path, const CRemoteSettings& settings, QString* why);
