#include "app/QtOperator.h"

#include "app/TierCountDlg.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {
const char* const kCueFilter = "*.cue";

// An open or save dialog starting at `start` (a directory, or a file to suggest)
// and listing `filter`. A name typed without an extension gets `suffix`, so the
// dialog finds or writes the file its filter lists.
bool ChooseFile(QWidget* owner, const QString& title, QFileDialog::AcceptMode mode, const QString& start,
                const QString& filter, const QString& suffix, std::string& path)
{
    QFileDialog dialog(owner, title, start, filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    const QString chosen = dialog.selectedFiles().constFirst();
    if (chosen.isEmpty())
        return false;
    path = chosen.toLocal8Bit().toStdString();
    return true;
}

bool ChooseCueList(QWidget* owner, const char* title, QFileDialog::AcceptMode mode, const std::string& dir,
                   std::string& path)
{
    return ChooseFile(owner, title, mode, QString::fromStdString(dir), kCueFilter, "cue", path);
}

}  // namespace

// The screen the operator is working in, so a notice from an editor stands over the editor.
QWidget* CQtOperator::Owner() const
{
    QWidget* modal = QApplication::activeModalWidget();
    return modal != nullptr ? modal : m_parent;
}

void CQtOperator::Message(const char* text, const char* caption)
{
    const QString title = QString::fromLocal8Bit(caption), body = QString::fromLocal8Bit(text);
    // An error looks like one, so a file that was not saved is not taken for a passing notice.
    if (title.startsWith("error", Qt::CaseInsensitive))
        QMessageBox::critical(Owner(), title, body, QMessageBox::Ok);
    else
        QMessageBox::information(Owner(), title, body, QMessageBox::Ok);
}

bool CQtOperator::Ask(const char* text, const char* caption)
{
    return QMessageBox::question(Owner(), QString::fromLocal8Bit(caption), QString::fromLocal8Bit(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::string CQtOperator::AskTierCount()
{
    CTierCountDlg dialog(Owner());
    dialog.exec();
    return dialog.Text().toStdString();
}

bool CQtOperator::ChooseOpenFile(const std::string& dir, std::string& path)
{
    return ChooseCueList(Owner(), "Open", QFileDialog::AcceptOpen, dir, path);
}

bool CQtOperator::ChooseSaveFile(const std::string& dir, std::string& path)
{
    return ChooseCueList(Owner(), "Save As", QFileDialog::AcceptSave, dir, path);
}

bool CQtOperator::ChooseExportFile(const char* title, const std::string& suggested, const char* filter,
                                   const char* suffix, std::string& path)
{
    return ChooseFile(Owner(), QString::fromLocal8Bit(title), QFileDialog::AcceptSave,
                      QString::fromLocal8Bit(suggested.c_str()), QString::fromLocal8Bit(filter),
                      QString::fromLocal8Bit(suffix), path);
}
