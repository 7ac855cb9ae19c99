#pragma once
// The console's side of the phone remote and show-control input: it owns them and
// tells them what the show looks like; they play the show through the console's
// own live operations, one at a time.

#include "remote/RemoteState.h"

#include <memory>

class CMainDlg;
class CRemote;

class CConsoleRemote : public IRemoteStateSource {
public:
    explicit CConsoleRemote(CMainDlg& console);
    ~CConsoleRemote();

    CRemote& Remote() { return *m_remote; }

    CRemoteState RemoteState() override;

private:
    CMainDlg& m_console;
    std::unique_ptr<CRemote> m_remote;
};
