#include "app/QtOperator.h"

#include "app/TierCountDlg.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {
const char* const kCueFilter = "*.cue";

// An empty choice is Cancel.
bool Take(const QString& chosen, std::string& path)
{
    if (chosen.isEmpty())
        return false;
    path = chosen.toLocal8Bit().toStdString();
    return true;
}

}  // namespace

void CQtOperator::Message(const char* text, const char* caption)
{
    QMessageBox::information(m_parent, QString::fromLocal8Bit(caption), QString::fromLocal8Bit(text),
                             QMessageBox::Ok);
}

bool CQtOperator::Ask(const char* text, const char* caption)
{
    return QMessageBox::question(m_parent, QString::fromLocal8Bit(caption), QString::fromLocal8Bit(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::string CQtOperator::AskTierCount()
{
    CTierCountDlg dialog(m_parent);
    dialog.exec();
    return dialog.Text().toStdString();
}

bool CQtOperator::ChooseOpenFile(const std::string& dir, std::string& path)
{
    return Take(QFileDialog::getOpenFileName(m_parent, "Open", QString::fromStdString(dir), kCueFilter), path);
}

bool CQtOperator::ChooseSaveFile(const std::string& dir, std::string& path)
{
    return Take(QFileDialog::getSaveFileName(m_parent, "Save As", QString::fromStdString(dir), kCueFilter), path);
}
