#include "console/ConsoleRemote.h"

#include "console/ConsoleTexts.h"
#include "console/MainDlg.h"
#include "document/ProgramDir.h"
#include "document/ShowData.h"
#include "remote/Remote.h"

#include <QPushButton>

CConsoleRemote::CConsoleRemote(CMainDlg& console)
    : m_console(console)
    , m_remote(std::make_unique<CRemote>(console, *this, QString::fromStdString(ProgramPath("remote.cfg"))))
{
}

CConsoleRemote::~CConsoleRemote() = default;

CRemoteState CConsoleRemote::RemoteState()
{
    const CShowSnapshot& shown = m_console.m_shown;
    const CShowData& doc = m_console.m_doc;  // names change on this thread only
    CRemoteState s;
    s.running = shown.running;
    s.cue = shown.running ? shown.currentCue : 0;
    if (s.cue >= 1 && s.cue < kCueSlots)
        s.cueName = QString::fromLocal8Bit(doc.m_cueName[s.cue]);
    const int next = s.cue >= 1 && s.cue < kCueSlots - 1 && doc.m_cueName[s.cue + 1][0] != '\0' ? s.cue + 1 : 1;
    if (doc.m_cueName[next][0] != '\0') {
        s.nextCue = next;
        s.nextName = QString::fromLocal8Bit(doc.m_cueName[next]);
    }
    s.paused = m_console.m_pauseButton->text() == kContinueText;
    if (m_console.m_forwardButton->isHidden())
        s.mode = "Manual";
    else if (m_console.m_forwardButton->isChecked())
        s.mode = "Auto Forward";
    else if (m_console.m_reverseButton->isChecked())
        s.mode = "Auto Reverse";
    else
        s.mode = "Auto Run";
    // The status line's words about the lines, without the cue and chase numbers that follow them.
    s.lines = QString::fromLocal8Bit(shown.status);
    const qsizetype numbers = s.lines.indexOf(QStringLiteral("     CUE #("));
    if (numbers >= 0)
        s.lines.truncate(numbers);
    s.tree = shown.picture;
    s.blackout = doc.m_blackout;
    s.master = doc.m_master;
    return s;
}
