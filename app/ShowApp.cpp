#include "app/ShowApp.h"

#include "console/MainDlg.h"
#include "document/AtomicFile.h"
#include "document/ProgramDir.h"
#include "document/ShowData.h"
#include "document/ShowFileIn.h"
#include "link/PortConfig.h"
#include "link/SerialPort.h"

#include <QFile>
#include <QTimer>

CShowApp::CShowApp(IOperator* person)
    : m_doc(std::make_unique<CShowData>())
{
    IOperator* told = person != nullptr ? person : &m_operator;
    std::string dir = ProgramDir(&m_startProblem);
    std::string tree1, tree2;
    if (dir.empty()) {
        // Nothing is read from or written to a directory someone else controls.
        m_startProblem += ".\nNothing was read or written; the console does not start.";
        told->Message(m_startProblem.c_str(), "ERROR");
    } else {
        RemoveStaleSaves(dir);
        RemoveStaleSaves(dir + "/" + kRecoveryFolder);
        // The port names come from the configuration file before the ports open on them.
        tree1 = m_doc->ReadPortConfig(1);
        tree2 = m_doc->ReadPortConfig(2);
        if (m_doc->m_portCheck.unreadable)
            told->Message(UnreadableText(m_doc->m_portCheck).c_str(), "ERROR");
        for (int tree : {1, 2})
            if (m_doc->m_portNameTooLong[tree - 1])
                told->Message(PortNameTooLongText(tree).c_str(), "ERROR");
    }
    m_tree1Port = std::make_unique<CSerialPort>(tree1.c_str());
    m_tree2Port = std::make_unique<CSerialPort>(tree2.c_str());
    m_doc->m_tree1Port = m_tree1Port.get();
    m_doc->m_tree2Port = m_tree2Port.get();
    m_doc->m_operator = told;
    m_doc->m_history = &m_history;
    if (!dir.empty())
        m_recovery = std::make_unique<CRecoveryCopy>(*m_doc);
}

CShowApp::~CShowApp()
{
    // The document must not point at ports that are gone.
    m_doc->m_tree1Port = nullptr;
    m_doc->m_tree2Port = nullptr;
    m_doc->m_history = nullptr;
    m_recovery.reset();
}

int CShowApp::Run()
{
    if (!m_startProblem.empty())
        return 1;
    InstallSprites();
    CMainDlg console(*m_doc);
    m_operator.SetParent(&console);
    // The recovery copy takes the show's changes on this thread, between events.
    QTimer recoveryPoll;
    if (m_recovery != nullptr) {
        QObject::connect(&recoveryPoll, &QTimer::timeout, [this] { m_recovery->Poll(); });
        recoveryPoll.start(std::chrono::duration_cast<std::chrono::milliseconds>(CRecoveryCopy::kPollEvery));
    }
    console.exec();
    m_operator.SetParent(nullptr);
    return 0;
}

void InstallSprites()
{
    QString target = QString::fromStdString(ProgramPath("Sprites.bmp"));
    if (!QFile::exists(target) && QFile::copy(":/Sprites.bmp", target))
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
}
