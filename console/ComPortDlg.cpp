#include "console/ComPortDlg.h"

#include "console/ConsoleStatus.h"
#include "document/Operator.h"
#include "document/ShowData.h"
#include "link/PortConfig.h"
#include "widgets/DialogUnits.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>
#include <cstring>

namespace {

const char* const kPortNames[4] = {"COM1", "COM2", "COM3", "COM4"};
const char* const kNone = "NONE";

void SetName(char (&field)[kPortNameSize], const char* name)
{
    std::snprintf(field, sizeof field, "%s", name);
}

}  // namespace

CComPortDlg::CComPortDlg(CShowData& doc, QWidget* parent)
    : QDialog(parent)
    , m_doc(doc)
{
    setWindowTitle("Please Select A ComPort");
    setFixedSize(DluX(379), DluY(122));

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

    m_status = new QLineEdit(this);
    m_status->setObjectName("1189");
    m_status->setReadOnly(true);
    m_status->setGeometry(DluRect(7, 100, 365, 14));

    if (std::strcmp(m_doc.m_tree2PortName, kNone) == 0)
        ShowTree2Buttons(false);
    RefreshStatus();
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
    SetName(m_doc.m_tree1PortName, name);
    RefreshStatus();
}

void CComPortDlg::OnTree2Port(const char* name)
{
    SetName(m_doc.m_tree2PortName, name);
    RefreshStatus();
}

void CComPortDlg::OnTree2Switch()
{
    bool turnOn = std::strcmp(m_doc.m_tree2PortName, kNone) == 0;
    if (turnOn) {
        char copy[kPortNameSize];
        std::memcpy(copy, m_doc.m_tree1PortName, sizeof copy);
        copy[kPortNameSize - 1] = '\0';
        SetName(m_doc.m_tree2PortName, copy);
    } else {
        SetName(m_doc.m_tree2PortName, kNone);
    }
    ShowTree2Buttons(turnOn);
    RefreshStatus();
}

void CComPortDlg::ShowTree2Buttons(bool show)
{
    for (QPushButton* button : m_tree2Buttons)
        button->setVisible(show);
}

void CComPortDlg::RefreshStatus()
{
    // A port that is lost or no serial port is said here too, while it is still the choice.
    std::string text = PortStatusText(m_doc) + LineNotes(m_doc, true);
    m_status->setText(QString::fromLocal8Bit(text.c_str()));
}

void CComPortDlg::OnClose()
{
    m_doc.m_operator->Message("Warning. You must exit the program for the changes to take effect.", "NOTICE");
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
    // Enter and Escape end the dialog without the warning and without writing.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape) {
        done(QDialog::Rejected);
        return;
    }
    QDialog::keyPressEvent(event);
}
