#include "console/MainDlg.h"

#include "console/AboutDlg.h"
#include "console/ComPortDlg.h"
#include "console/ConsoleRemote.h"
#include "console/ConsoleStatus.h"
#include "console/ConsoleTexts.h"
#include "console/CueList.h"
#include "cueedit/CueEditDlg.h"
#include "document/Operator.h"
#include "document/ProgramDir.h"
#include "document/RecoveryStart.h"
#include "document/ShowData.h"
#include "document/ShowFiles.h"
#include "layoutedit/LayoutEditDlg.h"
#include "lamptest/LampTestDlg.h"
#include "link/FrameEncoder.h"
#include "link/SerialPort.h"
#include "link/TreeLines.h"
#include "remote/Remote.h"
#include "remote/RemoteDlg.h"
#include "widgets/AppIcon.h"
#include "widgets/FramePlace.h"
#include "widgets/LampImages.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <cstring>
#include <vector>

CMainDlg::CMainDlg(CShowData& doc, QWidget* parent)
    : QDialog(parent)
    , m_doc(doc)
    , m_clock(ClockWork())
{
    setWindowTitle("Glimmerbox 2.0");
    setWindowIcon(AppIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    BuildControls();
    BuildMenu();
    qApp->installEventFilter(this);
    OnInitDialog();
}

CMainDlg::~CMainDlg()
{
    m_remote.reset();  // no phone plays the show from here on
    m_clock.Stop();
    qApp->removeEventFilter(this);
}

void CMainDlg::OnInitDialog()
{
    LampImage(0);  // builds the chase editor's lamp pictures once
    m_doc.m_sendBusy = false;
    m_doc.m_sendPending = false;
    m_doc.m_pictureLeft = 360;
    m_doc.m_pictureTop = 50;
    m_doc.m_pictureRight = 780;
    m_doc.m_pictureBottom = 600;
    // The grand master starts full at every start, and nothing is blacked out.
    m_doc.m_master = 100;
    m_doc.m_blackout = false;
    m_doc.m_masterStale = false;

    m_doc.ClearCues();
    m_doc.ClearChases();
    bool nothingSetUp = false;
    if (!m_doc.LoadLayout(&nothingSetUp)) {
        // A first run given no tier count has said so already; there is nothing to reload.
        if (!nothingSetUp)
            m_doc.m_operator->Message("Please Reload the program", "NOTICE");
        return;
    }
    m_loaded = true;
    SetEditingLocked(m_doc.m_editingLocked);  // a console closed locked starts locked
    LoadShow(m_doc);  // the chase library and the cue list, or a recovered show
    FillCueList();

    // The clock ticks from the first turn of the window's event loop, as a window
    // timer would: a caller that drives the console without one keeps time itself.
    m_clock.SetTicking(true);
    QTimer::singleShot(0, this, &CMainDlg::StartClock);
    m_pauseButton->setText(kPauseText);
    m_picture.LoadSprites(QString::fromStdString(ProgramPath("Sprites.bmp")));
    m_picture.Clear();

    SendFixedFrame(m_doc.m_tree1Port, m_doc.m_tree2Port, kStartupFrame);
    for (CSerialPort* port : {m_doc.m_tree1Port, m_doc.m_tree2Port})
        if (port != nullptr && port->IsOpen())
            port->SetLineFormat(kNoParity, 8, kOneStopBit);

    m_doc.m_running = false;
    m_startButton->setText(kStartText);
    setWindowTitle(QString::fromLocal8Bit(ConsoleCaption(m_doc).c_str()));
    m_tickBar->setRange(0, 100);
    m_tickBar->setValue(0);
    m_graphicsButton->setText(kGraphicsOn);
    ShowAdvanceMode();
    ShowLiveState();

    const CRect& r = m_doc.m_mainWindowRect;
    if (r.top != 0 && r.bottom != 0)
        PlaceFrameAt(this, QPoint(r.left, r.top));  // where it was closed, frame and all

    // A console closed with the remote on starts with it on.
    m_remote = std::make_unique<CConsoleRemote>(*this);
    QString why;
    if (!m_remote->Remote().Resume(&why))
        m_doc.m_operator->Message(("The remote could not start: " + why).toLocal8Bit().constData(), "ERROR");
}

void CMainDlg::OnRemoteControl()
{
    if (!m_remote)
        return;
    CRemoteDlg screen(m_remote->Remote(), m_doc.m_operator, this);
    screen.exec();
}

int CMainDlg::exec()
{
    if (!m_loaded)
        return QDialog::Rejected;
    return QDialog::exec();
}

void CMainDlg::FillCueList()
{
    std::vector<std::string> lines;
    m_doc.FillNameList(lines, "cue");
    QSignalBlocker quiet(m_cueList);  // refilling is not the operator choosing a cue
    m_cueList->clear();
    for (const std::string& line : lines)
        m_cueList->addItem(QString::fromLocal8Bit(line.c_str()));
}

void CMainDlg::OnPauseButton()
{
    TogglePause();
}

void CMainDlg::OnStartStop()
{
    if (m_doc.m_running)  // only this thread changes it
        Stop();
    else
        Start();
}

void CMainDlg::StopShow()
{
    Stop();
}

void CMainDlg::OnManualMode()
{
    m_forwardButton->hide();
    m_reverseButton->hide();
    Act([&] { m_doc.m_autoAdvance = false; });
    ShowAdvanceMode();
}

void CMainDlg::OnAutoRunMode()
{
    m_forwardButton->show();
    m_reverseButton->show();
    Act([&] { m_doc.m_autoAdvance = false; });  // advancing begins when a direction is chosen
    ShowAdvanceMode();
}

void CMainDlg::OnForward()
{
    Act([&] {
        m_doc.m_advanceForward = true;
        m_doc.m_autoAdvance = true;
    });
    ShowAdvanceMode();
}

void CMainDlg::OnReverse()
{
    Act([&] {
        m_doc.m_advanceForward = false;
        m_doc.m_autoAdvance = true;
    });
    ShowAdvanceMode();
}

// The mode in use and the direction the show advances in look pressed; in Auto
// Run Mode before a direction is chosen neither direction does, as nothing advances.
// The advance fields are read without the lock: only this thread writes them.
void CMainDlg::ShowAdvanceMode()
{
    const bool autoRun = !m_forwardButton->isHidden();
    m_autoRunButton->setChecked(autoRun);
    m_manualButton->setChecked(!autoRun);
    m_forwardButton->setChecked(autoRun && m_doc.m_autoAdvance && m_doc.m_advanceForward);
    m_reverseButton->setChecked(autoRun && m_doc.m_autoAdvance && !m_doc.m_advanceForward);
    // Bold as well, so a dim stage light or a flat style still shows which is on.
    for (QPushButton* b : {m_autoRunButton, m_manualButton, m_forwardButton, m_reverseButton}) {
        QFont font = b->font();
        font.setBold(b->isChecked());
        b->setFont(font);
    }
}

void CMainDlg::OnSendTreeSignals()
{
    Act([&] {
        m_doc.m_sendTreeSignals = !m_doc.m_sendTreeSignals;
        // A tree switched on mid-show gets the current cue's levels with the next transmission.
        if (m_doc.m_sendTreeSignals && m_doc.m_running)
            m_doc.m_sendPending = true;
    });
}

void CMainDlg::OnComPortSetup()
{
    if (EditingLocked())
        return;
    // As for the editors, the show stops while the lines may change under it.
    StopShow();
    {
        // The port setup changes the port names in the document on this thread.
        CShowClock::CLoan loan = m_clock.Lend();
        {
            CComPortDlg ports(m_doc, this);
            ports.exec();
        }
        // The choice holds at once: the console goes on with its show on the new lines.
        if (m_doc.m_tree1Port != nullptr)
            UseTreeLine(*m_doc.m_tree1Port, m_doc.m_tree1PortName);
        if (m_doc.m_tree2Port != nullptr)
            UseTreeLine(*m_doc.m_tree2Port, m_doc.m_tree2PortName);
    }
    // The status line says at once how the new lines are.
    Act([&] { SetSnapshotStatus(m_published, StoppedStatus(m_doc).c_str()); });
}

void CMainDlg::OnCueListSelChange(int row)
{
    if (m_doc.m_running) {
        StartCueAt(row + 1);
        return;
    }
    // Stopped: the chosen cue is the one the cue editor opens at; nothing goes out.
    Act([&] { m_doc.StartCue(row + 1); });
    FollowCurrentCue();
}

void CMainDlg::OnCueListDblClk()
{
    if (EditingLocked())
        return;  // the first click of it chose the cue; the show goes on
    StopShow();
    int row = m_cueList->currentRow();
    if (row >= 0)
        Act([&] { m_doc.StartCue(row + 1); });
    RunCueEditor();
}

void CMainDlg::OnEditCues()
{
    if (EditingLocked())
        return;
    StopShow();
    RunCueEditor();
}

void CMainDlg::RunCueEditor()
{
    {
        // The editors change the document in place on this thread: the clock
        // leaves it alone until they close. Nothing holds the lock meanwhile.
        CShowClock::CLoan loan = m_clock.Lend();
        CCueEditDlg editor(m_doc, this);
        editor.m_editCue = m_doc.m_currentCue;
        editor.exec();
    }
    FillCueList();
    setWindowTitle(QString::fromLocal8Bit(ConsoleCaption(m_doc).c_str()));
}

void CMainDlg::OnTreeLayout()
{
    if (EditingLocked())
        return;
    StopShow();
    bool accepted = false;
    {
        // The layout screen changes the document in place: the clock leaves it alone until it closes.
        CShowClock::CLoan loan = m_clock.Lend();
        CLayoutEditDlg layout(m_doc, this);
        accepted = layout.exec() == QDialog::Accepted;
    }
    if (accepted)
        setWindowTitle(QString::fromLocal8Bit(ConsoleCaption(m_doc).c_str()));
}

void CMainDlg::OnLampTest()
{
    if (EditingLocked())
        return;
    StopShow();
    // The test drives the lines on this thread and only reads the document: the
    // clock leaves both alone until it closes.
    CShowClock::CLoan loan = m_clock.Lend();
    CLampTestDlg test(m_doc, this);
    test.exec();
}

void CMainDlg::OnGraphicsToggle()
{
    m_graphicsButton->setText(m_graphicsButton->text() == kGraphicsOn ? kGraphicsOff : kGraphicsOn);
    m_client->update();
}

void CMainDlg::OnAbout()
{
    CAboutDlg about(this);
    about.exec();
}

void CMainDlg::OnClose()
{
    if (m_closed || !m_loaded)
        return;
    m_closed = true;
    if (m_remote) {
        m_remote->Remote().Server().Close();  // no phone plays a show that is being put away
        m_remote->Remote().Osc().Close();
    }
    QRect frame = FrameRect(this);
    m_doc.m_mainWindowRect = {frame.left(), frame.top(), frame.left() + frame.width(), frame.top() + frame.height()};
    m_clock.Stop();  // from here on this thread has the document to itself
    if (!SaveShowOrLetGo()) {
        // The operator keeps the console to save the show some other way.
        m_closed = false;
        StartClock();
        if (m_remote)
            m_remote->Remote().Resume(nullptr);
        return;
    }
    m_doc.ClearCues();
    m_doc.ClearChases();
    m_doc.m_blackout = false;
    m_picture.Clear();
    SendFixedFrame(m_doc.m_tree1Port, m_doc.m_tree2Port, kShutdownFrame);
    m_doc.SaveLayout();
    done(QDialog::Accepted);
}

// Both files are written before either leaves memory, so a No to the question
// keeps the whole show in the console.
bool CMainDlg::SaveShowOrLetGo()
{
    const bool cues = std::strlen(m_doc.m_cueFileName) < 3 || SaveCueListFile(m_doc);
    const bool chases = std::strlen(m_doc.m_chaseFileName) < 3 || WriteChaseLibrary(m_doc, m_doc.m_chaseFileName);
    if (cues && chases)
        ShowSavedWhole(m_doc);
    return (cues && chases) || m_doc.m_operator->Ask(kCloseUnsavedText, "Question");
}

void CMainDlg::closeEvent(QCloseEvent* event)
{
    OnClose();
    if (m_closed)
        event->accept();
    else
        event->ignore();
}

void CMainDlg::reject()
{
    // Escape never closes the console; the close box goes through closeEvent.
}

bool CMainDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this)
        return HandleLiveKey(watched, static_cast<QKeyEvent*>(event));
    if (watched == m_client && event->type() == QEvent::Paint) {
        PaintPicture();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CMainDlg::PaintPicture()
{
    if (!m_shown.running || m_graphicsButton->text() == kGraphicsOff)
        return;
    m_picture.Render(m_doc, m_shown.picture);
    const QRect area = CTreePicture::Area(m_doc);
    QPainter painter(m_client);
    painter.drawImage(area, m_picture.Canvas(), area);
}
