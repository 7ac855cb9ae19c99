#include "remote/RemoteCommand.h"

#include "engine/ShowControl.h"

#include <iterator>

namespace {

struct COpName {
    const char* name;
    ERemoteOp op;
};

constexpr COpName kOps[] = {
    {"go", ERemoteOp::kGo},       {"back", ERemoteOp::kBack},         {"pause", ERemoteOp::kPause},
    {"blackout", ERemoteOp::kBlackout}, {"stop", ERemoteOp::kStop}, {"start", ERemoteOp::kStart},
    {"master", ERemoteOp::kMaster}, {"cue", ERemoteOp::kCue},
};

}  // namespace

bool RemoteOpFromName(const QString& name, ERemoteOp& op)
{
    for (const COpName& entry : kOps)
        if (name == QLatin1String(entry.name)) {
            op = entry.op;
            return true;
        }
    return false;
}

bool RemoteOpTakesValue(ERemoteOp op)
{
    return op == ERemoteOp::kMaster || op == ERemoteOp::kCue;
}

void RunRemoteCommand(IShowControl& show, const CRemoteCommand& command)
{
    switch (command.op) {
    case ERemoteOp::kGo: show.Go(); break;
    case ERemoteOp::kBack: show.Back(); break;
    case ERemoteOp::kPause: show.TogglePause(); break;
    case ERemoteOp::kBlackout: show.ToggleBlackout(); break;
    case ERemoteOp::kStop: show.Stop(); break;
    case ERemoteOp::kStart: show.Start(); break;
    case ERemoteOp::kMaster: show.SetMaster(command.value); break;
    case ERemoteOp::kCue: show.StartCueAt(command.value); break;
    }
}
