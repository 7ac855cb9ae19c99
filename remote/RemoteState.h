#pragma once
// What a paired phone sees of the show: the cues, whether it runs, the mode, the
// tree lines' words from the status line and the lamps, for the page to draw.

#include "widgets/TreeGeometry.h"

#include <QByteArray>
#include <QString>

struct CRemoteState {
    int cue = 0;
    QString cueName;
    int nextCue = 0;  // 0: none
    QString nextName;
    bool running = false;
    bool paused = false;
    bool blackout = false;
    int master = 100;
    QString mode;   // "Manual", "Auto Forward", "Auto Reverse", "Auto"
    QString lines;  // the status line's words about the tree lines
    CTreeGeometry tree{};  // meaningful while running
};

// Where the remote takes the state from: the console, or a test's double.
class IRemoteStateSource {
public:
    virtual CRemoteState RemoteState() = 0;

protected:
    ~IRemoteStateSource() = default;
};

// The state as the page reads it: {"type":"state",...,"tree":{...}}. Lamps are
// "rrggbb" when lit and "" when dark.
QByteArray RemoteStateJson(const CRemoteState& state);
