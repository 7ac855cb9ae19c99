#pragma once
// Stand-ins for the console in the remote's tests: a show that records the
// operations called and a state the test sets.

#include "engine/ShowControl.h"
#include "remote/RemoteState.h"

#include <QStringList>

class CRecordingShow : public IShowControl, public IRemoteStateSource {
public:
    void Start() override { calls << "start"; }
    void Go() override { calls << "go"; }
    void Back() override { calls << "back"; }
    void TogglePause() override { calls << "pause"; }
    void ToggleBlackout() override { calls << "blackout"; }
    void SetMaster(int percent) override { calls << "master " + QString::number(percent); }
    void Stop() override { calls << "stop"; }
    void StartCueAt(int cue) override { calls << "cue " + QString::number(cue); }
    CRemoteState RemoteState() override
    {
        ++stateAsked;
        return state;
    }

    QStringList calls;
    CRemoteState state;
    int stateAsked = 0;
};
