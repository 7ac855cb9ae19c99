// The show's live operations, each in one place, and the controls and keys that call them.
#include "console/MainDlg.h"

#include "console/ConsoleStatus.h"
#include "console/ConsoleTexts.h"
#include "console/CueList.h"
#include "console/LiveKeys.h"
#include "document/ShowData.h"
#include "widgets/DialogUnits.h"
#include "widgets/FitFont.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <algorithm>

namespace {

// Red, so a blackout that holds is seen from across a dark stage.
constexpr const char* kBlackoutHeldStyle =
    "QPushButton { background-color: rgb(200, 0, 0); color: white; font-weight: bold;"
    " border: 1px solid rgb(90, 0, 0); border-radius: 3px; }";

}  // namespace

void CMainDlg::BuildLiveControls()
{
    // Under the mode buttons, beside the list: the picture keeps its place.
    auto* label = new QLabel(kMasterText, m_client);
    label->setGeometry(DluRect(7, 310, 30, 12));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_masterFader = new QSlider(Qt::Horizontal, m_client);
    m_masterFader->setObjectName("1500");
    m_masterFader->setGeometry(DluRect(37, 309, 86, 14));
    m_masterFader->setRange(0, 100);
    m_masterFader->setValue(100);
    m_masterFader->setPageStep(10);
    m_masterFader->setTickPosition(QSlider::TicksBelow);
    m_masterFader->setTickInterval(25);
    label->setBuddy(m_masterFader);
    m_masterValue = new QLabel(m_client);
    m_masterValue->setObjectName("1502");
    m_masterValue->setGeometry(DluRect(123, 310, 26, 12));
    m_masterValue->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_blackoutButton = AddButton(1501, kBlackoutText, 152, 308, 53, 16, false);
    QFont bold = m_blackoutButton->font();
    bold.setBold(true);
    m_blackoutButton->setFont(bold);
    FitFont(m_blackoutButton, {kBlackoutText});
    connect(m_masterFader, &QSlider::valueChanged, this, &CMainDlg::SetMaster);
    connect(m_blackoutButton, &QPushButton::clicked, this, &CMainDlg::ToggleBlackout);
    ShowMaster();
}

void CMainDlg::Start()
{
    bool started = false;
    Act([&] {
        if (m_doc.m_running)
            return;
        started = true;
        // Raised first, so cue 1's channel frames go out now and the tree holds
        // the levels the picture shows from the start.
        m_doc.m_running = true;
        m_doc.m_blackout = false;
        m_doc.StartCue(1);
        m_clock.BeatFromNow();  // the first chase frame follows at once, not up to a beat later
    });
    if (!started)
        return;
    m_startButton->setText(kStopText);
    FollowCurrentCue();
    m_client->update();
    ShowLiveState();
}

void CMainDlg::Stop()
{
    bool stopped = false;
    Act([&] {
        stopped = m_doc.m_running;
        m_doc.m_running = false;
        m_doc.m_blackout = false;  // STOP ends a blackout
    });
    if (!stopped)
        return;
    m_startButton->setText(kStartText);
    m_client->update();
    ShowLiveState();
}

void CMainDlg::Go()
{
    MoveWhileRunning(true);
}

void CMainDlg::Back()
{
    MoveWhileRunning(false);
}

void CMainDlg::MoveWhileRunning(bool forward)
{
    bool moved = false;
    Act([&] {
        moved = m_doc.m_running;
        if (moved && forward)
            m_doc.NextCue();
        else if (moved)
            m_doc.PreviousCue();
    });
    if (moved)
        FollowCurrentCue();
}

void CMainDlg::StartCueAt(int cue)
{
    if (cue < 1 || cue >= kCueSlots)
        return;
    bool started = false;
    Act([&] {
        started = m_doc.m_running && m_doc.m_cueName[cue][0] != '\0';
        if (started)
            m_doc.StartCue(cue);
    });
    if (started)
        FollowCurrentCue();
}

void CMainDlg::TogglePause()
{
    m_paused = !m_paused;
    m_pauseButton->setText(m_paused ? kContinueText : kPauseText);
    m_clock.SetTicking(!m_paused);
    if (!m_paused)
        QTimer::singleShot(0, this, &CMainDlg::StartClock);  // again, should it have failed
}

void CMainDlg::ToggleBlackout()
{
    bool acted = false;
    std::string status;
    Act([&] {
        if (!m_doc.m_running)
            return;
        acted = true;
        m_doc.SetBlackout(!m_doc.m_blackout);
        // The tick that carries it comes at once; a held show has no tick, so the
        // tree goes dark (or back) now.
        if (m_paused)
            m_doc.SendPendingNow();
        else
            m_clock.BeatFromNow();
        status = RunningStatus(m_doc);
    });
    if (!acted)
        return;
    ShowStatus(status.c_str());
    ShowLiveState();
    m_client->update(CTreePicture::Area(m_doc));
}

void CMainDlg::SetMaster(int percent)
{
    Act([&] { m_doc.SetMaster(percent); });
    ShowMaster();
    m_client->update(CTreePicture::Area(m_doc));
}

// The live fields are read without the lock: only this thread writes them.
void CMainDlg::ShowMaster()
{
    if (m_masterFader->value() != m_doc.m_master) {
        QSignalBlocker quiet(m_masterFader);  // the fader following the master is no move of its own
        m_masterFader->setValue(m_doc.m_master);
    }
    m_masterValue->setText(QString("%1%").arg(m_doc.m_master));
}

void CMainDlg::ShowLiveState()
{
    m_blackoutButton->setEnabled(m_doc.m_running);
    m_blackoutButton->setStyleSheet(m_doc.m_blackout ? kBlackoutHeldStyle : "");
    ShowMaster();
}

bool CMainDlg::HandleLiveKey(QObject* watched, const QKeyEvent* key)
{
    if (TakesTyping(watched))
        return false;
    const ELiveKey live = LiveKeyOf(key->key(), key->modifiers());
    if (live == ELiveKey::kNone)
        return false;
    if (key->isAutoRepeat())
        return true;  // a key held down acts once
    switch (live) {
    case ELiveKey::kGo:
        Go();
        break;
    case ELiveKey::kBack:
        Back();
        break;
    case ELiveKey::kBlackout:
        ToggleBlackout();
        break;
    case ELiveKey::kSwallow:
    case ELiveKey::kNone:
        break;
    }
    return true;
}
