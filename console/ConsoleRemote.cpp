#include "console/ConsoleRemote.h"

#include "console/ConsoleTexts.h"
#include "console/MainDlg.h"
#include "document/ProgramDir.h"
#include "document/ShowData.h"
#include "remote/Remote.h"

#include <QPushButton>
#include <type_traits>

CConsoleRemote::CConsoleRemote(CMainDlg& console)
    : m_console(console)
    , m_remote(std::make_unique<CRemote>(*this, *this, QString::fromStdString(ProgramPath("remote.cfg"))))
{
}

CConsoleRemote::~CConsoleRemote() = default;

namespace {

// The console's own live operations once it has them; until then its handlers,
// as its buttons and keys call them (so this adapter goes when the console is one).
template <class Console>
IShowControl* LiveOperations(Console& console)
{
    if constexpr (std::is_base_of_v<IShowControl, Console>)
        return &console;
    else
        return nullptr;
}

}  // namespace

template <class Console>
void CConsoleRemote::FallBack(Console& console, ERemoteFallback what, int value)
{
    CShowData& doc = console.m_doc;
    switch (what) {
    case ERemoteFallback::kStart:
    case ERemoteFallback::kStop:
        if (doc.m_running == (what == ERemoteFallback::kStop))
            console.OnStartStop();
        break;
    case ERemoteFallback::kGo:
        console.HandleKey(Qt::Key_Return);
        break;
    case ERemoteFallback::kBack: {
        bool moved = false;
        console.Act([&] {
            moved = doc.m_running;
            if (moved)
                doc.PreviousCue();
        });
        if (moved)
            console.FollowCurrentCue();
        break;
    }
    case ERemoteFallback::kPause:
        console.OnPauseButton();
        break;
    case ERemoteFallback::kCue:
        if (doc.m_running && value >= 1 && value < kCueSlots && doc.m_cueName[value][0] != '\0')
            console.OnCueListSelChange(value - 1);
        break;
    }
}

namespace {

// Blackout and grand master as the document has them, where it has them.
template <class Doc>
void LiveLevels(const Doc& doc, CRemoteState& s)
{
    if constexpr (requires { doc.m_blackout; })
        s.blackout = doc.m_blackout;
    if constexpr (requires { doc.m_grandMaster; })
        s.master = doc.m_grandMaster;
    else if constexpr (requires { doc.m_master; })
        s.master = doc.m_master;
}

}  // namespace

bool CConsoleRemote::HasBlackout() const
{
    return LiveOperations(m_console) != nullptr;
}

void CConsoleRemote::Run(ERemoteFallback what, int value)
{
    FallBack(m_console, what, value);
}

#define GLIMMER_LIVE(call, fallback, value)          \
    if (IShowControl* live = LiveOperations(m_console)) \
        live->call;                                   \
    else                                              \
        Run(fallback, value)

void CConsoleRemote::Start() { GLIMMER_LIVE(Start(), ERemoteFallback::kStart, 0); }
void CConsoleRemote::Stop() { GLIMMER_LIVE(Stop(), ERemoteFallback::kStop, 0); }
void CConsoleRemote::Go() { GLIMMER_LIVE(Go(), ERemoteFallback::kGo, 0); }
void CConsoleRemote::Back() { GLIMMER_LIVE(Back(), ERemoteFallback::kBack, 0); }
void CConsoleRemote::TogglePause() { GLIMMER_LIVE(TogglePause(), ERemoteFallback::kPause, 0); }
void CConsoleRemote::StartCueAt(int cue) { GLIMMER_LIVE(StartCueAt(cue), ERemoteFallback::kCue, cue); }
#undef GLIMMER_LIVE

void CConsoleRemote::ToggleBlackout()
{
    if (IShowControl* live = LiveOperations(m_console))
        live->ToggleBlackout();  // a console without a blackout has nothing to call
}

void CConsoleRemote::SetMaster(int percent)
{
    if (IShowControl* live = LiveOperations(m_console))
        live->SetMaster(percent);  // a console without a grand master has nothing to call
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
    LiveLevels(doc, s);
    return s;
}
