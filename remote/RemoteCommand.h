#pragma once
// What the phone and show-control input may ask of the show: nothing but the
// console's own live operations.

#include <QString>

class IShowControl;

enum class ERemoteOp { kGo, kBack, kPause, kBlackout, kStop, kStart, kMaster, kCue };

struct CRemoteCommand {
    ERemoteOp op;
    int value = 0;  // master: percent 0..100; cue: the cue number
};

// The operation named `name` ("go", "back", ...); false for any other name.
bool RemoteOpFromName(const QString& name, ERemoteOp& op);
// Whether the operation takes a value.
bool RemoteOpTakesValue(ERemoteOp op);
// Runs the command through the console's operations.
void RunRemoteCommand(IShowControl& show, const CRemoteCommand& command);
