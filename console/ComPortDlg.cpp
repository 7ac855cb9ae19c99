#include "console/ComPortDlg.h"

#include "console/ConsoleStatus.h"
#include "console/SerialLineWatch.h"
#include "document/Operator.h"
#include "document/ShowData.h"
#include "link/LineProblem.h"
#include "link/PortConfig.h"
#include "link/SerialPort.h"
#include "link/TreeLines.h"
#include "widgets/DialogUnits.h"
#include "widgets/FitFont.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

const char* const kPortNames[4] = {"COM1", "COM2", "COM3", "COM4"};
const char* const kNone = "NONE";

// Whether two port paths reach the same device (a by-id link and its ttyUSB).
bool SameDevice(const std::string& a, const std::string& b)
{
    if (a.empty() || b.empty())
        return false;
    if (a == b)
        return true;
    char realA[PATH_MAX], realB[PATH_MAX];
    return realpath(a.c_str(), realA) != nullptr && realpath(b.c_str(), realB) != nullptr &&
           std::strcmp(realA, realB) == 0;
}

}  // namespace

CComPortDlg::CComPortDlg(CShowData& doc, QWidget* parent)
    : QDialog(parent)
    , m_doc(doc)
    , m_watch(new CSerialLineWatch(this))
    , m_identifyTimer(new QTimer(this))
{
    setWindowTitle("Please Select A ComPort");
    setFixedSize(DluX(379), DluY(222));

    auto* tree1Label = new QLabel("Tree 1 COM Port", this);
    tree1Label->setGeometry(DluRect(20, 22, 110, 10));
    const int tree1Ids[4] = {1182, 1183, 1184, 1185};
    const int tree2Ids[4] = {1186, 1187, 1188, 1191};
    for (int i = 0; i < 4; ++i) {
        const char* name = kPortNames[i];
        int x = (i % 2) * 60, y = 36 + (i / 2) * 24;
        QPushButton* one = AddButton(tree1Ids[i], name, 20 + x, y, 55, 20);
        connect(one, &QPushButton::clicked, this, [this, name] { OnTree1Port(name); });
        m_tree2Buttons[i] = AddButton(tree2Ids[i], name, 240 + x, y, 55, 20);
        connect(m_tree2Buttons[i], &QPushButton::clicked, this, [this, name] { OnTree2Port(name); });
    }
    auto* tree2Label = new QLabel("Tree 2 COM Port", this);
    tree2Label->setGeometry(DluRect(240, 22, 110, 10));
    QPushButton* tree2Switch = AddButton(1193, "", 240, 5, 115, 14);
    tree2Switch->setToolTip("Tree 2 on or off");
    connect(tree2Switch, &QPushButton::clicked, this, &CComPortDlg::OnTree2Switch);

    // The serial lines of the machine, one list per tree; choosing one stores its stable name.
    for (int tree = 1; tree <= 2; ++tree) {
        int x = tree == 1 ? 7 : 192;
        QListWidget* list = new QListWidget(this);
        list->setObjectName(QString::number(1193 + tree));
        list->setGeometry(DluRect(x, 84, 180, 68));
        list->setWordWrap(true);  // a long maker and model wrap instead of hiding the serial number
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setAlternatingRowColors(true);  // where one line's two text rows end
        list->setToolTip(QString("The serial lines of this machine; click one for Tree %1").arg(tree));
        connect(list, &QListWidget::currentRowChanged, this, [this, tree, list](int row) {
            if (!m_filling && row >= 0)
                ChooseName(tree, list->item(row)->data(Qt::UserRole).toString().toLocal8Bit().constData());
        });
        m_lineLists[tree - 1] = list;
        m_identify[tree - 1] = AddButton(1197 + tree, tree == 1 ? "Identify Tree 1" : "Identify Tree 2",
                                         tree == 1 ? 7 : 302, 156, 70, 14);
        m_identify[tree - 1]->setToolTip("Blinks every lamp of this tree for 5 seconds");
        connect(m_identify[tree - 1], &QPushButton::clicked, this, [this, tree] { OnIdentify(tree); });
        m_notes[tree - 1] = new QLabel(this);
        m_notes[tree - 1]->setObjectName(QString::number(1195 + tree));
        m_notes[tree - 1]->setGeometry(DluRect(7, 160 + 14 * tree, 365, 12));
    }
    QPushButton* swap = AddButton(1200, "Swap Trees", 152, 156, 75, 14);
    connect(swap, &QPushButton::clicked, this, &CComPortDlg::OnSwapTrees);

    m_status = new QLineEdit(this);
    m_status->setObjectName("1189");
    m_status->setReadOnly(true);
    m_status->setGeometry(DluRect(7, 204, 365, 14));

    m_identifyTimer->setInterval(kIdentifyStepMs);
    connect(m_identifyTimer, &QTimer::timeout, this, &CComPortDlg::OnIdentifyStep);
    connect(m_watch, &CSerialLineWatch::Changed, this, [this] {
        FillLineList(1);
        FillLineList(2);
        RefreshStatus();
    });

    if (std::strcmp(m_doc.m_tree2PortName, kNone) == 0)
        ShowTree2Buttons(false);
    FillLineList(1);
    FillLineList(2);
    RefreshStatus();
}

CComPortDlg::~CComPortDlg()
{
    StopIdentify();
}

QPushButton* CComPortDlg::AddButton(int id, const char* text, int x, int y, int width, int height)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(QString::number(id));
    button->setGeometry(DluRect(x, y, width, height));
    button->setAutoDefault(false);  // Enter ends the dialog instead of pressing a port
    return button;
}

void CComPortDlg::OnTree1Port(const char* name)
{
    ChooseName(1, name);
}

void CComPortDlg::OnTree2Port(const char* name)
{
    ChooseName(2, name);
}

void CComPortDlg::ChooseName(int tree, const char* name)
{
    char (&field)[kPortNameSize] = tree == 1 ? m_doc.m_tree1PortName : m_doc.m_tree2PortName;
    if (std::strcmp(field, name) == 0)
        return;
    if (!SetPortName(field, name)) {
        m_doc.m_operator->Message(("The name of this serial line is longer than " +
                                   std::to_string(kPortNameSize - 1) + " characters and cannot be kept:\n" + name)
                                      .c_str(),
                                  "ERROR");
        FillLineList(tree);  // back to what the tree still has
        return;
    }
    if (m_identifyTree == tree)
        StopIdentify();
    FillLineList(tree);
    RefreshStatus();
}

void CComPortDlg::OnTree2Switch()
{
    bool turnOn = std::strcmp(m_doc.m_tree2PortName, kNone) == 0;
    if (turnOn) {
        char copy[kPortNameSize];
        std::memcpy(copy, m_doc.m_tree1PortName, sizeof copy);
        copy[kPortNameSize - 1] = '\0';
        SetPortName(m_doc.m_tree2PortName, copy);
    } else {
        SetPortName(m_doc.m_tree2PortName, kNone);
    }
    if (m_identifyTree == 2)
        StopIdentify();
    ShowTree2Buttons(turnOn);
    FillLineList(2);
    RefreshStatus();
}

void CComPortDlg::OnSwapTrees()
{
    StopIdentify();
    std::swap(m_doc.m_tree1PortName, m_doc.m_tree2PortName);
    ShowTree2Buttons(std::strcmp(m_doc.m_tree2PortName, kNone) != 0);
    FillLineList(1);
    FillLineList(2);
    RefreshStatus();
}

void CComPortDlg::ShowTree2Buttons(bool show)
{
    for (QPushButton* button : m_tree2Buttons)
        button->setVisible(show);
    m_lineLists[1]->setVisible(show);
    m_identify[1]->setVisible(show);
}

void CComPortDlg::RefreshLines()
{
    m_watch->Refresh();
}

void CComPortDlg::FillLineList(int tree)
{
    const char* chosen = tree == 1 ? m_doc.m_tree1PortName : m_doc.m_tree2PortName;
    QListWidget* list = m_lineLists[tree - 1];
    const CSerialLine* current = FindSerialLine(m_watch->Lines(), chosen);
    m_filling = true;
    list->clear();
    for (const CSerialLine& line : m_watch->Lines()) {
        auto* item = new QListWidgetItem(QString::fromLocal8Bit(SerialLineLabel(line).c_str()), list);
        item->setData(Qt::UserRole, QString::fromLocal8Bit(line.stableName.c_str()));
        item->setToolTip(QString::fromLocal8Bit(line.stableName.c_str()));
        if (&line == current)
            list->setCurrentItem(item);
    }
    if (m_watch->Lines().empty())
        new QListWidgetItem("No serial adapter found: plug one in", list);
    m_filling = false;
}

CSerialPort* CComPortDlg::PortFor(int tree, std::unique_ptr<CSerialPort>& opened)
{
    const char* name = tree == 1 ? m_doc.m_tree1PortName : m_doc.m_tree2PortName;
    std::string path = SerialDevicePath(name);
    if (path.empty())
        return nullptr;
    // A port already on that line (the console's, or the blink's): it holds the line for itself.
    for (CSerialPort* port : {m_doc.m_tree1Port, m_doc.m_tree2Port, m_identifyOwn.get()})
        if (port != nullptr && port->IsOpen() && SameDevice(port->Path(), path))
            return port;
    opened = std::make_unique<CSerialPort>(name);
    return opened.get();
}

std::string CComPortDlg::TreeNote(int tree)
{
    const char* name = tree == 1 ? m_doc.m_tree1PortName : m_doc.m_tree2PortName;
    std::string head = "Tree " + std::to_string(tree) + ": ";
    if (std::strcmp(name, kNone) == 0)
        return head + "not connected";
    if (SerialDevicePath(name).empty())
        return head + "no port chosen";
    std::string words;
    if (m_identifyTree == tree && m_identifyPort != nullptr) {
        words = LineProblemText(m_identifyPort);
    } else {
        std::unique_ptr<CSerialPort> probe;
        words = LineProblemText(PortFor(tree, probe));
    }
    if (!words.empty())
        return head + words;
    const CSerialLine* line = FindSerialLine(m_watch->Lines(), name);
    if (line != nullptr && line->keepInSocket && std::strcmp(name, line->byPath.c_str()) == 0)
        return head + "ready - keep the adapter in USB socket " + line->socket + " (it has no serial number of its own)";
    return head + "ready";
}

void CComPortDlg::RefreshStatus()
{
    for (int tree = 1; tree <= 2; ++tree) {
        QString note = QString::fromLocal8Bit(TreeNote(tree).c_str());
        m_notes[tree - 1]->setText(note);
        FitTextFont(m_notes[tree - 1], note);
    }
    // A port that is lost or no serial port is said here too, while it is still the choice.
    std::string text = PortStatusText(m_doc) + LineNotes(m_doc, true);
    m_status->setText(QString::fromLocal8Bit(text.c_str()));
    m_status->setCursorPosition(0);
}

void CComPortDlg::OnIdentify(int tree)
{
    StopIdentify();
    m_identifyPort = PortFor(tree, m_identifyOwn);
    if (m_identifyPort == nullptr || !m_identifyPort->IsUsable()) {
        m_identifyPort = nullptr;
        m_identifyOwn.reset();
        RefreshStatus();  // says why that tree cannot blink
        return;
    }
    m_identifyTree = tree;
    m_identifyStep = 0;
    OnIdentifyStep();
    m_identifyTimer->start();
}

void CComPortDlg::OnIdentifyStep()
{
    if (m_identifyPort == nullptr)
        return;
    SendBlinkFrames(*m_identifyPort, m_identifyStep % 2 == 0);
    if (++m_identifyStep < kIdentifySteps)
        return;
    // Done. A line opened for the blink stays open a while: closing it now would
    // drop the last frames (the lamps off) before they are on the wire.
    m_identifyTimer->stop();
    m_identifyPort = nullptr;
    m_identifyTree = 0;
}

void CComPortDlg::StopIdentify()
{
    m_identifyTimer->stop();
    m_identifyPort = nullptr;
    m_identifyOwn.reset();
    m_identifyTree = 0;
}

void CComPortDlg::OnClose()
{
    StopIdentify();
    m_doc.WritePortConfig();  // a failure is told to the operator with the file and the reason
    done(QDialog::Accepted);
}

void CComPortDlg::closeEvent(QCloseEvent* event)
{
    if (isVisible())
        OnClose();
    event->accept();
}

void CComPortDlg::keyPressEvent(QKeyEvent* event)
{
    // Enter and Escape end the dialog without writing; the console still uses the choice.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape) {
        StopIdentify();
        done(QDialog::Rejected);
        return;
    }
    QDialog::keyPressEvent(event);
}
