#include "cueedit/CueEditDlg.h"

#include "document/LineReader.h"
#include "document/Operator.h"
#include "widgets/DialogUnits.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <algorithm>
#include <string>
#include <unordered_map>

namespace {

const char* const kSelectToDelete = "You must select a cue to be deleted.";
const char* const kOneDelete = "You may only delete one cue at a time.";
const char* const kSelectToInsert = "You must select where in the cue list you want the paste list put.";
const char* const kOnePaste = "You can only paste to one section of the cue list at a time.";
const char* const kNoRoom =
    "There is no room for these cues: the cue list holds at most 7499 cues. Nothing was inserted. "
    "Delete cues at the end of the list first.";
const char* const kNoSuchCue =
    "A copied cue is no longer in the cue list. Nothing was inserted. "
    "Clear the bottom list and copy the cues again.";
const char* const kCopiedCueGone = "A copied cue was deleted, so it was taken off the copy list.";
const char* const kCopiedCuesGone = "%d copied cues were deleted, so they were taken off the copy list.";

// The bytes of `text` for a name field: at most `limit` bytes, never cut inside a character.
QByteArray FieldBytes(const QString& text, int limit)
{
    QByteArray bytes = text.toLocal8Bit();
    bytes.truncate(static_cast<qsizetype>(TextFit(bytes.constData(), static_cast<std::size_t>(limit))));
    return bytes;
}

std::vector<int> SelectedRows(const QListWidget* list)
{
    std::vector<int> rows;
    for (const QListWidgetItem* item : list->selectedItems())
        rows.push_back(list->row(item));
    std::sort(rows.begin(), rows.end());
    return rows;
}

}  // namespace

CCueEditDlg::CCueEditDlg(CShowData& doc, QWidget* parent)
    : QDialog(parent)
    , m_doc(doc)
{
    setWindowTitle("Cue Edit Screen     GLIMMERBOX 2.0");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    // The layout is measured for a small dialog font; at the desktop's larger one its texts would not fit.
    QFont font = this->font();
    font.setPointSizeF(std::min<qreal>(font.pointSizeF(), 8));
    setFont(font);
    m_client = new QWidget(this);
    m_client->setFixedSize(DluX(530), DluY(350));
    BuildCueListHalf();
    BuildPanel();
    BuildMenu();
    qApp->installEventFilter(this);
}

CCueEditDlg::~CCueEditDlg()
{
    qApp->removeEventFilter(this);
}

void CCueEditDlg::showEvent(QShowEvent* event)
{
    if (!m_initialised) {
        m_initialised = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void CCueEditDlg::OnInitDialog()
{
    FillCueList();
    FillChaseList();
    // A current cue that is not in the list has no fields to show.
    if (m_doc.m_currentCue < 1 || m_doc.m_currentCue > m_cueList->count())
        m_editCue = 0;
    ShowPanel(false);
    RefreshPanel();
}

void CCueEditDlg::Notice(const char* text) const
{
    m_doc.m_operator->Message(text, "NOTICE");
}

void CCueEditDlg::FillCueList()
{
    std::vector<std::string> lines;
    m_doc.FillNameList(lines, "cue");
    QStringList entries;
    entries.reserve(static_cast<int>(lines.size()));
    for (const std::string& line : lines)
        entries.append(QString::fromLocal8Bit(line.data(), static_cast<qsizetype>(line.size())));
    QSignalBlocker quiet(m_cueList);  // a rebuilt list is no choice of the operator's
    m_cueList->clear();
    m_cueList->addItems(entries);
}

// The list rebuilt where the operator was looking, not scrolled back to its top.
void CCueEditDlg::RefillCueList()
{
    const int top = m_cueList->verticalScrollBar()->value();
    FillCueList();
    m_cueList->verticalScrollBar()->setValue(top);
}

void CCueEditDlg::SelectCurrentCue()
{
    QListWidgetItem* item = m_cueList->item(m_doc.m_currentCue - 1);
    if (item == nullptr)
        return;
    QSignalBlocker quiet(m_cueList);
    item->setSelected(true);
    m_cueList->selectionModel()->setCurrentIndex(m_cueList->indexFromItem(item), QItemSelectionModel::NoUpdate);
    m_cueList->scrollToItem(item);
}

// The position of the one selected cue, or -1. The selected entry, not the caret:
// a control-click that leaves one cue selected may leave the caret on another.
int CCueEditDlg::SingleSelectedRow() const
{
    const QList<QListWidgetItem*> selected = m_cueList->selectedItems();
    return selected.size() == 1 ? m_cueList->row(selected.first()) : -1;
}

void CCueEditDlg::ForgetSelection()
{
    m_editCue = 0;
    RefreshPanel();
}

void CCueEditDlg::OnCueListSelChange()
{
    const int row = SingleSelectedRow();
    m_editCue = 0;
    if (row >= 0) {
        m_doc.StartCue(row + 1);
        m_editCue = row + 1;
    }
    RefreshPanel();
}

void CCueEditDlg::OnCueNameChange()
{
    if (m_editCue == 0)
        return;  // no cue is shown, so none is being named
    m_nameNote->clear();
    const QByteArray name = FieldBytes(m_name->text(), kCueNameLimit);
    // A nameless slot is no cue: while the box is empty the cue keeps its name.
    m_doc.RenameCue(m_doc.m_currentCue, name.isEmpty() ? m_shownName.constData() : name.constData());
}

void CCueEditDlg::OnCueNameDone()
{
    SealHistory();  // the name typed so far is one step
    if (m_editCue == 0)
        return;  // a rebuild here would drop a selection of several cues
    // The box shows what the cue holds: its name back when left empty, a long one cut.
    m_shownName = m_doc.m_cueName[m_doc.m_currentCue];
    const QString stored = QString::fromLocal8Bit(m_shownName);
    if (m_name->text() != stored)
        m_name->setText(stored);
    RefillCueList();
    SelectCurrentCue();
    RefreshCopyList();
}

void CCueEditDlg::OnInsertCue()
{
    int at = 1;  // the first cue of an empty list needs no location
    if (m_cueList->count() > 0) {
        const qsizetype selected = m_cueList->selectedItems().size();
        if (selected != 1) {
            Notice(selected == 0 ? kSelectToInsert : kOnePaste);
            return;
        }
        at = SingleSelectedRow() + 1;
    }
    const int count = m_copyList->count();
    CuePaste result = CuePaste::kPasted;
    if (count == 0) {
        result = m_doc.InsertCue(at) ? CuePaste::kPasted : CuePaste::kNoRoom;
    } else {
        const std::vector<int> sources = CopiedCues();  // the cues copied, wherever they stand now
        result = m_doc.PasteCues(at, sources.data(), count);
    }
    if (result != CuePaste::kPasted) {
        Notice(result == CuePaste::kNoRoom ? kNoRoom : kNoSuchCue);
        return;
    }
    FillCueList();
    ForgetSelection();
    m_copyList->clear();
}

void CCueEditDlg::OnCopyCues()
{
    for (int row : SelectedRows(m_cueList)) {
        auto* entry = new QListWidgetItem(CopyEntryText(row + 1), m_copyList);
        entry->setData(Qt::UserRole, m_doc.FollowCue(row + 1));
    }
}

QString CCueEditDlg::CopyEntryText(int cue) const
{
    return QString::asprintf("%03d %d ", cue, cue) + QString::fromLocal8Bit(m_doc.m_cueName[cue]);
}

// One pass over the table, however long the copy list.
std::vector<int> CCueEditDlg::CopiedCues() const
{
    std::unordered_map<int, int> where;
    for (int s = 1; s < kCueSlots; ++s)
        if (m_doc.m_cueMark[s] != 0 && m_doc.m_cueName[s][0] != '\0')
            where[m_doc.m_cueMark[s]] = s;
    std::vector<int> cues;
    for (int i = 0; i < m_copyList->count(); ++i) {
        const auto found = where.find(m_copyList->item(i)->data(Qt::UserRole).toInt());
        cues.push_back(found != where.end() ? found->second : 0);
    }
    return cues;
}

void CCueEditDlg::RefreshCopyList()
{
    const std::vector<int> cues = CopiedCues();
    int gone = 0;
    for (int i = m_copyList->count() - 1; i >= 0; --i) {
        QListWidgetItem* entry = m_copyList->item(i);
        const int cue = cues[static_cast<std::size_t>(i)];
        if (cue == 0) {
            delete m_copyList->takeItem(i);
            ++gone;
        } else if (const QString text = CopyEntryText(cue); entry->text() != text) {
            entry->setText(text);
        }
    }
    if (gone == 1)
        Notice(kCopiedCueGone);
    else if (gone > 1)
        Notice(QString::asprintf(kCopiedCuesGone, gone).toLocal8Bit().constData());
}

void CCueEditDlg::OnDeleteCues()
{
    const qsizetype selected = m_cueList->selectedItems().size();
    if (selected != 1) {
        Notice(selected == 0 ? kSelectToDelete : kOneDelete);
        return;
    }
    m_doc.DeleteCue(SingleSelectedRow() + 1);
    FillCueList();
    ForgetSelection();
    RefreshCopyList();
}

void CCueEditDlg::OnClearList()
{
    m_copyList->clear();
}

void CCueEditDlg::OnDeleteCopyEntries()
{
    std::vector<int> rows = SelectedRows(m_copyList);
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
        delete m_copyList->takeItem(*row);
}

// After New and Load the list holds other cues: the panel of the old one is hidden,
// so nothing typed into it lands on a cue of the new list, and the copy list, which
// names cues of the old one, is emptied.
void CCueEditDlg::OnFileNew()
{
    if (!m_doc.NewCueList())
        return;
    FillCueList();
    ForgetSelection();
    m_copyList->clear();
}

void CCueEditDlg::OnFileLoad()
{
    if (!m_doc.LoadCueList())
        return;
    FillCueList();
    ForgetSelection();
    m_copyList->clear();
}

void CCueEditDlg::OnFileSave()
{
    m_doc.SaveFile("cue");
}

void CCueEditDlg::OnFileSaveAs()
{
    m_doc.SaveCueListAs();
}

void CCueEditDlg::OnClose()
{
    if (m_closed)
        return;
    m_closed = true;
    SealHistory();
    m_doc.StartCue(0);
    done(QDialog::Accepted);
}

void CCueEditDlg::closeEvent(QCloseEvent* event)
{
    OnClose();
    event->accept();
}

void CCueEditDlg::reject()
{
    // Escape never ends the screen; the close box goes through closeEvent.
}
