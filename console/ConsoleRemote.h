#pragma once
// The console's side of the phone remote and show-control input: it owns them,
// tells them what the show looks like and plays the show for them through the
// console's own handlers, one operation at a time.

#include "engine/ShowControl.h"
#include "remote/RemoteState.h"

#include <memory>

class CMainDlg;
class CRemote;

enum class ERemoteFallback { kStart, kStop, kGo, kBack, kPause, kCue };

class CConsoleRemote : public IShowControl, public IRemoteStateSource {
public:
    explicit CConsoleRemote(CMainDlg& console);
    ~CConsoleRemote();

    CRemote& Remote() { return *m_remote; }

    void Start() override;
    void Go() override;
    void Back() override;
    void TogglePause() override;
    void ToggleBlackout() override;
    void SetMaster(int percent) override;
    void Stop() override;
    void StartCueAt(int cue) override;

    CRemoteState RemoteState() override;
    // Whether the console has its own live operations (blackout and grand master among them).
    bool HasBlackout() const;

private:
    void Run(ERemoteFallback what, int value);
    template <class Console>
    static void FallBack(Console& console, ERemoteFallback what, int value);

    CMainDlg& m_console;
    std::unique_ptr<CRemote> m_remote;
};
