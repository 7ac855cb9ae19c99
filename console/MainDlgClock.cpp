// The console's side of the show clock: the tick it runs, the snapshot the tick
// leaves for the window, and the window showing it.
#include "console/MainDlg.h"

#include "console/ConsoleRemote.h"
#include "console/ConsoleStatus.h"
#include "console/CueList.h"
#include "console/RealtimeKit.h"
#include "document/Operator.h"
#include "document/ShowData.h"
#include "link/TreeLines.h"
#include "widgets/FitFont.h"
#include "remote/Remote.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QTimer>

namespace {

// Said on the status line until the show first runs.
constexpr const char* kNormalPriorityNote = " - Show Clock At Normal Priority";

}  // namespace

CClockWork CMainDlg::ClockWork()
{
    CClockWork work;
    work.tick = [this] { ClockTick(); };
    work.lineCheck = [this] { CheckTreeLines(m_doc.m_tree1Port, m_doc.m_tree2Port); };
    // One word at a time is enough: the window takes the latest snapshot whole.
    work.ticked = [this] {
        if (!m_showQueued.exchange(true))
            QMetaObject::invokeMethod(this, &CMainDlg::ShowLatest, Qt::QueuedConnection);
    };
    work.askRealtime = &AskRealtimeKit;
    return work;
}

void CMainDlg::StartClock()
{
    if (m_closed || m_clock.Started())
        return;
    if (!m_clock.Start())
        m_doc.m_operator->Message("Out of Timers", "Error, Exit and Restart");
}

void CMainDlg::OnTimer()
{
    m_clock.TickNow();
    ShowLatest();
}

void CMainDlg::OnLineCheck()
{
    m_clock.CheckLinesNow();
}

void CMainDlg::ClockTick()
{
    std::string status;
    if (m_doc.m_running) {
        m_doc.Tick(this);
        ++m_published.showTicks;
        m_normalPriorityToSay = false;
        status = RunningStatus(m_doc);
    } else {
        status = StoppedStatus(m_doc);
        if (m_normalPriorityToSay && m_clock.Priority() == EClockPriority::kNormal)
            status += kNormalPriorityNote;
    }
    ++m_published.ticks;
    SetSnapshotStatus(m_published, status.c_str());
    TakeShow(m_doc, m_published);
}

void CMainDlg::InvalidateRect(int, int, int, int, bool)
{
    m_published.repaint = true;
}

void CMainDlg::ShowLatest()
{
    m_showQueued = false;  // a tick after the copy below asks again
    const long long ticks = m_shown.ticks;
    const long long showTicks = m_shown.showTicks;
    {
        std::lock_guard<CShowMutex> lock(m_clock.Mutex());
        m_shown = m_published;
        m_published.repaint = false;
    }
    if (m_shown.showTicks != showTicks) {
        FollowCurrentCue();  // an automatic advance shows at once
        // One step per tick, also for ticks that came while the window was busy.
        const long long span = m_tickBar->maximum() - m_tickBar->minimum() + 1;
        const long long stepped = m_tickBar->value() - m_tickBar->minimum() + (m_shown.showTicks - showTicks);
        m_tickBar->setValue(m_tickBar->minimum() + static_cast<int>(stepped % span));
    }
    if (m_shown.ticks != ticks)
        ShowStatus(m_shown.status);
    if (m_shown.repaint)
        m_client->update(CTreePicture::Area(m_doc));
}

void CMainDlg::ShowStatus(const char* text)
{
    // The remote says that it is on, and which addresses it has locked out.
    const QString remote = m_remote ? m_remote->Remote().StatusNote() : QString();
    QString shown = QString::fromLocal8Bit(text) + remote;
    if (shown != m_status->text())
        FitTextFont(m_status, shown);  // a tree's line problem and its fix stay on one line
    m_status->setText(shown);
    m_status->setCursorPosition(0);  // a text too long to fit shows its beginning
}

void CMainDlg::FollowCurrentCue()
{
    m_cueList->Follow(m_shown.currentCue - 1);
}
