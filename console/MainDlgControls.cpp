// The console window's controls and menu, placed from their dialog-unit layout.
#include "console/MainDlg.h"

#include "console/ConsoleTexts.h"
#include "console/CueList.h"
#include "cuesheet/CueSheet.h"
#include "cuesheet/CueSheetMenu.h"
#include "widgets/DialogUnits.h"
#include "widgets/FitFont.h"
#include "widgets/MenuScreen.h"
#include "widgets/WrapButton.h"

#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>

namespace {

// The client area holds the whole picture rectangle (bottom edge 600).
constexpr int kClientWidth = 529 * 3 / 2;
constexpr int kClientHeight = 600;

}  // namespace

QPushButton* CMainDlg::AddButton(int id, const char* text, int x, int y, int width, int height, bool wrap)
{
    QPushButton* button = wrap ? new CWrapButton(m_client) : new QPushButton(m_client);
    button->setText(text);
    button->setObjectName(QString::number(id));
    button->setGeometry(DluRect(x, y, width, height));
    button->setAutoDefault(false);  // Enter is the console's own key
    return button;
}

void CMainDlg::BuildControls()
{
    m_client = new QWidget(this);
    m_client->setFixedSize(kClientWidth, kClientHeight);
    m_client->installEventFilter(this);
    m_cueList = new CCueList(m_client);
    m_cueList->setObjectName("1001");
    m_cueList->setGeometry(DluRect(7, 0, 198, 199));
    connect(m_cueList, &CCueList::LineChosen, this, &CMainDlg::OnCueListSelChange);
    connect(m_cueList, &QListWidget::itemDoubleClicked, this, &CMainDlg::OnCueListDblClk);

    m_pauseButton = AddButton(1000, kPauseText, 7, 209, 199, 26, true);
    m_startButton = AddButton(1006, kStartText, 7, 237, 199, 26, true);
    m_autoRunButton = AddButton(1007, "Auto Run Mode", 7, 265, 95, 20, false);
    m_manualButton = AddButton(1008, "Manual Mode", 107, 265, 98, 20, false);
    m_forwardButton = AddButton(1009, "Forward", 7, 286, 95, 20, false);
    m_reverseButton = AddButton(1010, "Reverse", 107, 286, 98, 20, false);
    // Checked only by the console itself, from the show's state (see ShowAdvanceMode).
    for (QPushButton* b : {m_autoRunButton, m_manualButton, m_forwardButton, m_reverseButton})
        b->setCheckable(true);
    QPushButton* edit = AddButton(1005,
                                  "GO TO EDIT CUE Screen. Click here to edit the Cue list. This is the First step "
                                  "in Customizing your Lights Display.",
                                  7, 326, 199, 26, true);
    m_graphicsButton = AddButton(1182, kGraphicsOn, 212, 338, 50, 14, false);
    FitFont(m_graphicsButton, {kGraphicsOn, kGraphicsOff});  // one size for both, so toggling keeps it
    connect(m_pauseButton, &QPushButton::clicked, this, &CMainDlg::OnPauseButton);
    connect(m_startButton, &QPushButton::clicked, this, &CMainDlg::OnStartStop);
    connect(m_autoRunButton, &QPushButton::clicked, this, &CMainDlg::OnAutoRunMode);
    connect(m_manualButton, &QPushButton::clicked, this, &CMainDlg::OnManualMode);
    connect(m_forwardButton, &QPushButton::clicked, this, &CMainDlg::OnForward);
    connect(m_reverseButton, &QPushButton::clicked, this, &CMainDlg::OnReverse);
    connect(edit, &QPushButton::clicked, this, &CMainDlg::OnEditCues);
    connect(m_graphicsButton, &QPushButton::clicked, this, &CMainDlg::OnGraphicsToggle);
    m_forwardButton->hide();
    m_reverseButton->hide();

    m_status = new QLineEdit(m_client);
    m_status->setObjectName("1003");
    m_status->setReadOnly(true);
    m_status->setFocusPolicy(Qt::NoFocus);
    m_status->setGeometry(DluRect(216, 0, 306, 14));
    m_tickBar = new QProgressBar(m_client);
    m_tickBar->setObjectName("1002");
    m_tickBar->setTextVisible(false);
    m_tickBar->setGeometry(DluRect(216, 14, 146, 8));
    auto* spare = new QProgressBar(m_client);
    spare->setObjectName("1004");
    spare->setTextVisible(false);
    spare->setGeometry(DluRect(378, 14, 144, 8));

    BuildLiveControls();
}

void CMainDlg::BuildMenu()
{
    auto* bar = new QMenuBar(this);
    QMenu* config = bar->addMenu("Configuration");
    QAction* ports = config->addAction("&COM PORT SETUP", this, &CMainDlg::OnComPortSetup);
    ports->setObjectName("32771");
    ports->setStatusTip("Click here for access to the COM Port setup. Should only have to do this ONCE.");
    QAction* send = config->addAction("&Send Tree Signals", this, &CMainDlg::OnSendTreeSignals);
    send->setObjectName("32772");
    send->setStatusTip("if Checked, then the tree will recieve Signals from the program");
    QAction* layout = config->addAction("Tree &Layout...", this, &CMainDlg::OnTreeLayout);
    layout->setObjectName("32773");
    layout->setStatusTip("Describe the tree: its tiers, the colour of each circuit, the chest rail, outline, star "
                         "and cross.");
    QAction* lampTest = config->addAction("Lamp &Test...", this, &CMainDlg::OnLampTest);
    lampTest->setObjectName("32780");
    lampTest->setStatusTip("Light the tree circuit by circuit to check its wiring, with the show stopped.");
    QAction* remote = config->addAction("&Remote Control...", this, &CMainDlg::OnRemoteControl);
    remote->setObjectName("32781");
    remote->setStatusTip("Play the show from a phone on the local network, or from show-control software.");
    // Printing only reads the show: a copy taken under the show lock, so the show plays on.
    AddCueSheetEntries(config, this, m_doc, [this](CCueSheet& sheet) { Act([&] { TakeCueSheet(m_doc, sheet); }); });
    QMenu* help = bar->addMenu("Help");
    QAction* about = help->addAction("&About Glimmerbox20...", this, &CMainDlg::OnAbout);
    about->setObjectName("16");

    BuildLiveMenu(config, help);

    PlaceMenuAndClient(this, bar, m_client);
}
