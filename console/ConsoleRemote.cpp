#include "console/ConsoleRemote.h"

#include "console/ConsoleTexts.h"
#include "console/MainDlg.h"
#include "document/ProgramDir.h"
#include "document/ShowData.h"
#include "remote/Remote.h"

#include <QPushButton>

CConsoleRemote::CConsoleRemote(CMainDlg& console)
    : m_console(console)
    , m_remote(std::make_unique<CRemote>(*this, *this, QString::fromStdString(ProgramPath("remote.cfg"))))
{
}

CConsoleRemote::~CConsoleRemote() = default;

// The console's handlers, as its buttons and keys call them.
void CConsoleRemote::Start()
{
    if (!m_console.m_doc.m_running)
        m_console.OnStartStop();
}

void CConsoleRemote::Stop()
{
    if (m_console.m_doc.m_running)
        m_console.OnStartStop();
}

void CConsoleRemote::Go()
{
    m_console.HandleKey(Qt::Key_Return);
}

void CConsoleRemote::Back()
{
    bool moved = false;
    m_console.Act([&] {
        moved = m_console.m_doc.m_running;
        if (moved)
            m_console.m_doc.PreviousCue();
    });
    if (moved)
        m_console.FollowCurrentCue();
}

void CConsoleRemote::TogglePause()
{
    m_console.OnPauseButton();
}

void CConsoleRemote::ToggleBlackout()
{
    // The console has no blackout of its own yet: nothing to call.
}

void CConsoleRemote::SetMaster(int)
{
    // The console has no grand master of its own yet: nothing to call.
}

void CConsoleRemote::StartCueAt(int cue)
{
    const CShowData& doc = m_console.m_doc;
    if (doc.m_running && cue >= 1 && cue < kCueSlots && doc.m_cueName[cue][0] != '\0')
        m_console.OnCueListSelChange(cue - 1);
}

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
    return s;
}
