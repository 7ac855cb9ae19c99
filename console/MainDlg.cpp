#include "console/MainDlg.h"

#include "console/AboutDlg.h"
#include "console/ComPortDlg.h"
#include "console/ConsoleStatus.h"
#include "console/ConsoleTexts.h"
#include "console/CueList.h"
#include "cueedit/CueEditDlg.h"
#include "document/Operator.h"
#include "document/ProgramDir.h"
#include "document/ShowData.h"
#include "layoutedit/LayoutEditDlg.h"
#include "link/FrameEncoder.h"
#include "link/SerialPort.h"
#include "link/TreeLines.h"
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
#include <vector>

namespace {

constexpr int kTickMs = 100;
constexpr int kLineCheckMs = 1000;

}  // namespace

CMainDlg::CMainDlg(CShowData& doc, QWidget* parent)
    : QDialog(parent)
    , m_doc(doc)
{
    setWindowTitle("Glimmerbox 2.0");
    setWindowIcon(AppIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(kTickMs);
    connect(&m_timer, &QTimer::timeout, this, &CMainDlg::OnTimer);
    // Lost tree lines are looked for apart from the show's tick, so pausing does not stop it.
    m_lineTimer.setInterval(kLineCheckMs);
    connect(&m_lineTimer, &QTimer::timeout, this, &CMainDlg::OnLineCheck);
    BuildControls();
    BuildMenu();
    qApp->installEventFilter(this);
    OnInitDialog();
}

CMainDlg::~CMainDlg()
{
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
    m_doc.LoadFile("chase");
    m_doc.LoadFile("cue");
    FillCueList();

    StartTimer();
    m_pauseButton->setText(kPauseText);
    m_picture.LoadSprites(QString::fromStdString(ProgramPath("Sprites.bmp")));
    m_picture.Clear();

    SendFixedFrame(m_doc.m_tree1Port, m_doc.m_tree2Port, kStartupFrame);
    m_lineTimer.start();
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

    const CRect& r = m_doc.m_mainWindowRect;
    if (r.top != 0 && r.bottom != 0)
        PlaceFrameAt(this, QPoint(r.left, r.top));  // where it was closed, frame and all
}

int CMainDlg::exec()
{
    if (!m_loaded)
        return QDialog::Rejected;
    return QDialog::exec();
}

void CMainDlg::StartTimer()
{
    m_timer.start();
    if (!m_timer.isActive())
        m_doc.m_operator->Message("Out of Timers", "Error, Exit and Restart");
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

void CMainDlg::FollowCurrentCue()
{
    m_cueList->Follow(m_doc.m_currentCue - 1);
}

void CMainDlg::InvalidateRect(int left, int top, int right, int bottom, bool)
{
    m_client->update(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
}

void CMainDlg::OnPauseButton()
{
    if (m_pauseButton->text().contains("Pause")) {
        m_pauseButton->setText(kContinueText);
        m_timer.stop();
    } else {
        m_pauseButton->setText(kPauseText);
        StartTimer();
    }
}

void CMainDlg::OnStartStop()
{
    if (!m_doc.m_running) {
        m_startButton->setText(kStopText);
        // Raised first, so cue 1's channel frames go out now and the tree holds
        // the levels the picture shows from the start.
        m_doc.m_running = true;
        m_doc.StartCue(1);
        FollowCurrentCue();
        m_client->update();
    } else {
        StopShow();
    }
}

void CMainDlg::StopShow()
{
    m_startButton->setText(kStartText);
    m_doc.m_running = false;
    m_client->update();
}

void CMainDlg::OnManualMode()
{
    m_forwardButton->hide();
    m_reverseButton->hide();
    m_doc.m_autoAdvance = false;
    ShowAdvanceMode();
}

void CMainDlg::OnAutoRunMode()
{
    m_forwardButton->show();
    m_reverseButton->show();
    m_doc.m_autoAdvance = false;  // advancing begins when a direction is chosen
    ShowAdvanceMode();
}

void CMainDlg::OnForward()
{
    m_doc.m_advanceForward = true;
    m_doc.m_autoAdvance = true;
    ShowAdvanceMode();
}

void CMainDlg::OnReverse()
{
    m_doc.m_advanceForward = false;
    m_doc.m_autoAdvance = true;
    ShowAdvanceMode();
}

// The mode in use and the direction the show advances in look pressed; in Auto
// Run Mode before a direction is chosen neither direction does, as nothing advances.
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
    m_doc.m_sendTreeSignals = !m_doc.m_sendTreeSignals;
    // A tree switched on mid-show gets the current cue's levels with the next transmission.
    if (m_doc.m_sendTreeSignals && m_doc.m_running)
        m_doc.m_sendPending = true;
}

void CMainDlg::OnComPortSetup()
{
    CComPortDlg ports(m_doc, this);
    ports.exec();
    // Leaving here used to drop the operator's unsaved cues and chases.
    OnClose();
}

void CMainDlg::OnTimer()
{
    if (m_doc.m_running) {
        m_doc.Tick(this);
        std::string status = RunningStatus(m_doc);
        FollowCurrentCue();  // an automatic advance shows at once
        ShowStatus(status);
        int next = m_tickBar->value() + 1;
        m_tickBar->setValue(next > m_tickBar->maximum() ? m_tickBar->minimum() : next);
    } else {
        ShowStatus(StoppedStatus(m_doc));
    }
}

void CMainDlg::ShowStatus(const std::string& text)
{
    m_status->setText(QString::fromLocal8Bit(text.c_str()));
    m_status->setCursorPosition(0);  // a text too long to fit shows its beginning
}

void CMainDlg::OnLineCheck()
{
    CheckTreeLines(m_doc.m_tree1Port, m_doc.m_tree2Port);
}

void CMainDlg::OnCueListSelChange(int row)
{
    m_doc.StartCue(row + 1);
    FollowCurrentCue();
}

void CMainDlg::OnCueListDblClk()
{
    if (m_doc.m_running)
        StopShow();
    int row = m_cueList->currentRow();
    if (row >= 0)
        m_doc.StartCue(row + 1);
    RunCueEditor();
}

void CMainDlg::OnEditCues()
{
    if (m_doc.m_running)
        StopShow();
    RunCueEditor();
}

void CMainDlg::RunCueEditor()
{
    CCueEditDlg editor(m_doc, this);
    editor.m_editCue = m_doc.m_currentCue;
    editor.exec();
    FillCueList();
    setWindowTitle(QString::fromLocal8Bit(ConsoleCaption(m_doc).c_str()));
}

void CMainDlg::OnTreeLayout()
{
    if (m_doc.m_running)
        StopShow();
    CLayoutEditDlg layout(m_doc, this);
    if (layout.exec() == QDialog::Accepted)
        setWindowTitle(QString::fromLocal8Bit(ConsoleCaption(m_doc).c_str()));
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
    QRect frame = FrameRect(this);
    m_doc.m_mainWindowRect = {frame.left(), frame.top(), frame.left() + frame.width(), frame.top() + frame.height()};
    m_timer.stop();
    m_lineTimer.stop();
    m_doc.SaveFile("cue");
    m_doc.SaveFile("chase");
    m_doc.ClearCues();
    m_doc.ClearChases();
    m_picture.Clear();
    SendFixedFrame(m_doc.m_tree1Port, m_doc.m_tree2Port, kShutdownFrame);
    m_doc.SaveLayout();
    done(QDialog::Accepted);
}

void CMainDlg::closeEvent(QCloseEvent* event)
{
    OnClose();
    event->accept();
}

void CMainDlg::reject()
{
    // Escape never closes the console; the close box goes through closeEvent.
}

bool CMainDlg::HandleKey(int key)
{
    if (key == Qt::Key_Escape)
        return true;
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_doc.m_running) {
        m_doc.NextCue();
        FollowCurrentCue();
        return true;
    }
    return false;
}

bool CMainDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this)
        return HandleKey(static_cast<QKeyEvent*>(event)->key());
    if (watched == m_client && event->type() == QEvent::Paint) {
        PaintPicture();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CMainDlg::PaintPicture()
{
    if (!m_doc.m_running || m_graphicsButton->text() == kGraphicsOff)
        return;
    m_picture.Render(m_doc);
    QRect area(QPoint(m_doc.m_pictureLeft, m_doc.m_pictureTop),
               QPoint(m_doc.m_pictureRight - 1, m_doc.m_pictureBottom - 1));
    QPainter painter(m_client);
    painter.drawImage(area, m_picture.Canvas(), area);
}
