#include "lamptest/LampTestDlg.h"

#include "lamptest/LampTestPicture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <chrono>

namespace {

// Lines are refreshed and checked this often; a step itself goes out at once.
constexpr long long kRefreshMs = 1000;
constexpr int kTimerMs = 50;

long long SteadyMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

const char kIdleNotice[] = "Switched off: nobody touched the lamp test for 10 minutes.";
const char kEscapeNotice[] = "Everything is off. Escape again leaves the lamp test.";

}  // namespace

CLampTestDlg::CLampTestDlg(const CShowData& doc, QWidget* parent, CNow now)
    : QDialog(parent)
    , m_doc(doc)
    , m_now(now ? std::move(now) : CNow(SteadyMs))
    , m_lines(doc.m_tree1Port, doc.m_tree2Port)
{
    setWindowTitle("Lamp Test");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    m_lastTouch = m_lastRefresh = m_lastCheck = m_now();
    BuildControls();
    // The trees start dark, whatever the show left on them.
    Replan(false);
    m_timer = new QTimer(this);
    m_timer->setInterval(kTimerMs);
    connect(m_timer, &QTimer::timeout, this, &CLampTestDlg::OnTimer);
    m_timer->start();
    qApp->installEventFilter(this);
}

CLampTestDlg::~CLampTestDlg()
{
    qApp->removeEventFilter(this);
    Leave();
}

int CLampTestDlg::Trees() const
{
    return m_trees->currentIndex() + 1;
}

long long CLampTestDlg::StepMs() const
{
    return static_cast<long long>(m_speed->value() * 1000 + 0.5);
}

void CLampTestDlg::Touched()
{
    m_lastTouch = m_now();
    m_escapeArmed = false;
}

void CLampTestDlg::Replan(bool keepStep)
{
    m_notice->clear();
    CLampTestChoice choice;
    choice.pattern = static_cast<ELampPattern>(m_pattern->currentIndex());
    choice.level = m_level->value();
    choice.channel = m_channel->currentIndex();
    choice.ramp = m_dimmerMode->currentIndex() == 0;
    m_steps = PlanLampTest(m_doc, choice);

    const bool dimmer = choice.pattern == ELampPattern::kDimmer;
    m_channel->setEnabled(dimmer);
    m_dimmerMode->setEnabled(dimmer);
    {
        QSignalBlocker quiet(m_start);  // refilling is not the operator choosing a step
        m_start->clear();
        for (const CLampTestStep& step : m_steps)
            m_start->addItem(QString::fromStdString(step.label));
    }
    GoTo(keepStep && m_step < StepCount() ? m_step : 0);
}

void CLampTestDlg::GoTo(int step)
{
    m_step = step >= 0 && step < StepCount() ? step : 0;
    if (m_auto->isChecked())
        m_nextStepAt = m_now() + StepMs();
    SendStep();
}

void CLampTestDlg::SendStep()
{
    if (m_left)
        return;
    m_onShow = m_steps[m_step].state;
    const int trees = Trees();
    // A tree taken out of the test is left dark, then silent.
    if (const int dropped = m_sentTrees & ~trees)
        m_lines.Send(CLampTestState{}, dropped);
    m_lines.Send(m_onShow, trees);
    m_sentTrees = trees;
    m_lastRefresh = m_now();
    ShowStep();
    ShowLines();
}

void CLampTestDlg::ShowStep()
{
    m_label->setText(QString::fromLatin1(TreesName(Trees())) + " - " + QString::fromStdString(m_steps[m_step].label));
    m_counter->setText(QString("Step %1 of %2").arg(m_step + 1).arg(StepCount()));
    QSignalBlocker quiet(m_start);
    m_start->setCurrentIndex(m_step);
    m_back->setEnabled(StepCount() > 1);
    m_next->setEnabled(StepCount() > 1);
    m_picture->update();
}

void CLampTestDlg::ShowLines()
{
    // A dead line must not be taken for a wiring fault: one in trouble shows in red.
    bool trouble = false;
    for (int i = 0; i < 2; ++i) {
        const ELampLine state = m_lines.State(i);
        trouble = trouble || (state != ELampLine::kOpen && state != ELampLine::kNoPort);
    }
    m_lineState->setStyleSheet(trouble ? "color: #b00000; font-weight: bold;" : "");
    m_lineState->setText(QString("Tree 1 line: %1     Tree 2 line: %2")
                             .arg(QString::fromLatin1(LampLineText(m_lines.State(0))),
                                  QString::fromLatin1(LampLineText(m_lines.State(1)))));
}

void CLampTestDlg::OnNext()
{
    Touched();
    GoTo((m_step + 1) % StepCount());
}

void CLampTestDlg::OnBack()
{
    Touched();
    GoTo((m_step + StepCount() - 1) % StepCount());
}

void CLampTestDlg::OnAllOff()
{
    Touched();
    SwitchOff("");
}

void CLampTestDlg::SwitchOff(const char* notice)
{
    {
        QSignalBlocker quietAuto(m_auto);
        QSignalBlocker quietPattern(m_pattern);
        m_auto->setChecked(false);
        m_pattern->setCurrentIndex(static_cast<int>(ELampPattern::kAllOff));
    }
    Replan(false);
    m_notice->setText(notice);
}

void CLampTestDlg::OnTimer()
{
    if (m_left)
        return;
    const long long now = m_now();
    if (m_auto->isChecked() && now >= m_nextStepAt)
        GoTo((m_step + 1) % StepCount());
    if (now - m_lastCheck >= kRefreshMs) {
        m_lastCheck = now;
        m_lines.CheckLines();
    }
    // A tree that was switched on or plugged in meanwhile catches up by itself.
    if (now - m_lastRefresh >= kRefreshMs) {
        m_lines.Send(m_onShow, Trees());
        m_lastRefresh = now;
    }
    if (now - m_lastTouch >= kIdleMs && (m_auto->isChecked() || !m_onShow.Dark()))
        SwitchOff(kIdleNotice);
    ShowLines();
}

bool CLampTestDlg::eventFilter(QObject* watched, QEvent* event)
{
    const bool mine = watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this;
    if (mine && event->type() == QEvent::MouseButtonPress)
        Touched();
    if (!mine || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);

    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Escape:
        // The first switches off; a second one, with nothing touched between, leaves.
        if (m_escapeArmed) {
            reject();
        } else {
            Touched();
            SwitchOff(kEscapeNotice);
            m_escapeArmed = true;
        }
        return true;
    case Qt::Key_Right:
    case Qt::Key_Down:
        OnNext();
        return true;
    case Qt::Key_Left:
    case Qt::Key_Up:
        OnBack();
        return true;
    default:
        Touched();
        return QDialog::eventFilter(watched, event);
    }
}

void CLampTestDlg::reject()
{
    Leave();
    QDialog::reject();
}

void CLampTestDlg::Leave()
{
    if (m_left)
        return;
    m_left = true;
    if (m_timer != nullptr)
        m_timer->stop();
    m_lines.SendAllOff();
    m_lines.HandBack();
    m_onShow = CLampTestState{};
}
