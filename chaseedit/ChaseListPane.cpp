// The chase list column of the chase edit screen: the sorted list, the name box
// that renames as the operator types, and the commands on whole chases.
#include "chaseedit/ChaseEditDlg.h"

#include "chaseedit/ChaseEditTexts.h"
#include "document/LineReader.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <algorithm>
#include <vector>

namespace {

const char* const kNameBlank = "Not renamed: type a name";
const char* const kNameTaken = "Not renamed: name in use";
const char* const kNameBar = "No \"|\" or line break: files use them";

}  // namespace

void CChaseEditDlg::FillChaseList()
{
    std::vector<std::string> names;
    m_doc.FillNameList(names, "chase");
    struct Entry {
        QString text, key;
        const std::string* name;
    };
    std::vector<Entry> entries;
    entries.reserve(names.size());
    for (const std::string& name : names) {
        QString text = QString::fromLocal8Bit(name.c_str());
        QString key = text.toCaseFolded();
        entries.push_back({std::move(text), std::move(key), &name});
    }
    // Alphabetical with case ignored, as operators read a list of names.
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.key < b.key; });
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(entries.size()));
    m_entryNames.clear();
    for (Entry& entry : entries) {
        texts.append(entry.text);
        m_entryNames.push_back(std::move(*entry.name));
    }
    QSignalBlocker quiet(m_chaseList);
    m_chaseList->clear();
    m_chaseList->addItems(texts);
}

int CChaseEditDlg::FindEntry(const char* name) const
{
    for (int row = 0; row < static_cast<int>(m_entryNames.size()); ++row)
        if (m_entryNames[row] == name)
            return row;
    return -1;
}

void CChaseEditDlg::SelectRow(int row)
{
    QSignalBlocker quiet(m_chaseList);
    if (row < 0) {
        m_chaseList->clearSelection();
        return;
    }
    m_chaseList->setCurrentRow(row);
    m_chaseList->scrollToItem(m_chaseList->item(row));
}

void CChaseEditDlg::OnChaseListSelChange()
{
    m_doc.m_text[0] = '\0';
    const QList<QListWidgetItem*> selected = m_chaseList->selectedItems();
    const int row = selected.isEmpty() ? -1 : m_chaseList->row(selected.first());
    // The record's own bytes, so the chase is found whatever the text encoding.
    if (row >= 0 && row < static_cast<int>(m_entryNames.size()))
        CopyCut(m_doc.m_text, kNameSize, m_entryNames[row].c_str());
    CopyCut(m_chaseName, kNameSize, m_doc.m_text);
    m_doc.LoadChase(m_chaseName);
    RefreshChase();
}

void CChaseEditDlg::OnChaseNameChange(const QString& text)
{
    const QByteArray typed = text.toLocal8Bit();
    CopyCut(m_doc.m_text, kNameSize, typed.constData());
    // A blank name would free the chase's records and a taken one would merge two
    // chases: neither reaches the records, and the box says why.
    if (!m_doc.RenameChase(m_doc.m_text)) {
        ShowNameNote(typed.trimmed().isEmpty() ? kNameBlank : kNameTaken);
        return;
    }
    ShowNameNote(nullptr);
    CopyCut(m_chaseName, kNameSize, m_doc.m_text);
    FillChaseList();
    SelectRow(FindEntry(m_chaseName));
}

void CChaseEditDlg::OnNameRefused()
{
    ShowNameNote(kNameBar);
}

void CChaseEditDlg::OnNameEnter()
{
    // A name that was not taken goes back to the chase's own, so box, list and
    // records agree again.
    if (!m_nameNote->text().isEmpty()) {
        m_nameBox->setText(QString::fromLocal8Bit(m_chaseName));
        ShowNameNote(nullptr);
    }
    SelectRow(FindEntry(m_chaseName));
}

void CChaseEditDlg::ShowNameNote(const char* note)
{
    m_nameNote->setText(note != nullptr ? note : "");
    m_nameNote->setVisible(note != nullptr);
}

void CChaseEditDlg::OnMakeNewChase()
{
    if (!m_doc.NewChase()) {
        Notice(kPoolFullNotice);
        return;
    }
    FillChaseList();
    SelectRow(FindEntry(m_doc.LoadedChaseName()));
    OnChaseListSelChange();
}

void CChaseEditDlg::OnDeleteChase()
{
    if (!m_editing)
        return;
    m_doc.DeleteChase();
    m_chaseName[0] = '\0';  // no chase is selected now, whatever names are left
    FillChaseList();
    RefreshChase();
}

void CChaseEditDlg::OnCopyChase()
{
    if (!m_editing)
        return;
    char copy[kNameSize];
    if (!m_doc.CopyChase(copy)) {
        Notice(kNoCopyRoomNotice);
        return;
    }
    FillChaseList();
    SelectRow(FindEntry(copy));
    OnChaseListSelChange();
}
