#include "app/ShowApp.h"

#include "console/MainDlg.h"
#include "document/ProgramDir.h"
#include "document/ShowData.h"
#include "link/SerialPort.h"

#include <QFile>

CShowApp::CShowApp()
    : m_doc(std::make_unique<CShowData>())
{
    // The port names come from the configuration file before the ports open on them.
    std::string tree1 = m_doc->ReadPortConfig(1);
    std::string tree2 = m_doc->ReadPortConfig(2);
    m_tree1Port = std::make_unique<CSerialPort>(tree1.c_str());
    m_tree2Port = std::make_unique<CSerialPort>(tree2.c_str());
    m_doc->m_tree1Port = m_tree1Port.get();
    m_doc->m_tree2Port = m_tree2Port.get();
    m_doc->m_operator = &m_operator;
}

CShowApp::~CShowApp()
{
    // The document must not point at ports that are gone.
    m_doc->m_tree1Port = nullptr;
    m_doc->m_tree2Port = nullptr;
}

int CShowApp::Run()
{
    InstallSprites();
    CMainDlg console(*m_doc);
    m_operator.SetParent(&console);
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
