#pragma once
// The lamp test screen: with the show stopped it drives the tree lines itself,
// one pattern at a time (all off, all on, one circuit at a time, tier and column
// walks, alternate, a dimmer test), names what is lit in type readable from the
// structure and shows what the lines get on a picture of the tree. Escape switches
// everything off; leaving sends every channel at 0 and every lamp off. The
// document is only read.

#include "engine/LampTestPlan.h"
#include "link/LampTestLines.h"

#include <QDialog>
#include <functional>
#include <vector>

class CLampTestPicture;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSlider;
class QTimer;

class CLampTestDlg : public QDialog {
    Q_OBJECT
public:
    // Milliseconds of a steady clock; the screen keeps all its time by it.
    using CNow = std::function<long long()>;
    // Left untouched this long, the test switches itself off.
    static constexpr long long kIdleMs = 10 * 60 * 1000;

    explicit CLampTestDlg(const CShowData& doc, QWidget* parent = nullptr, CNow now = {});
    ~CLampTestDlg() override;

    // The screen's timer calls this; tests call it themselves after moving their clock.
    // Steps by itself when due, refreshes the lines about once a second, checks
    // them, and switches off after kIdleMs untouched.
    void OnTimer();
    void OnNext();
    void OnBack();
    // Everything off at once: the All Off pattern, nothing stepping by itself.
    void OnAllOff();

    // What the lines were last sent and the picture shows.
    const CLampTestState& Shown() const { return m_onShow; }
    int Step() const { return m_step; }
    int StepCount() const { return static_cast<int>(m_steps.size()); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Button, close box and a second Escape all leave through here.
    void reject() override;

private:
    void BuildControls();
    // Reads the controls into a choice and plans its steps again, keeping the step
    // where the pattern stayed the same.
    void Replan(bool keepStep);
    void GoTo(int step);
    // Sends the step on show to the chosen trees at once and shows it.
    void SendStep();
    void ShowStep();
    void ShowLines();
    void Touched();
    void SwitchOff(const char* notice);
    long long StepMs() const;
    int Trees() const;
    // Sends all off to both trees and hands the lines back; once.
    void Leave();

    const CShowData& m_doc;
    CNow m_now;
    CLampTestLines m_lines;
    std::vector<CLampTestStep> m_steps;
    int m_step = 0;
    CLampTestState m_onShow;
    int m_sentTrees = 3;  // the trees the last step went to
    bool m_left = false;
    bool m_escapeArmed = false;  // the last key was an Escape that switched off
    long long m_lastTouch = 0;
    long long m_nextStepAt = 0;
    long long m_lastRefresh = 0;
    long long m_lastCheck = 0;

    QTimer* m_timer = nullptr;
    CLampTestPicture* m_picture = nullptr;
    QLabel* m_label = nullptr;
    QLabel* m_counter = nullptr;
    QLabel* m_notice = nullptr;
    QLabel* m_lineState = nullptr;
    QComboBox* m_trees = nullptr;
    QComboBox* m_pattern = nullptr;
    QComboBox* m_start = nullptr;
    QComboBox* m_channel = nullptr;
    QComboBox* m_dimmerMode = nullptr;
    QSlider* m_level = nullptr;
    QLabel* m_levelText = nullptr;
    QCheckBox* m_auto = nullptr;
    QDoubleSpinBox* m_speed = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_next = nullptr;
};
