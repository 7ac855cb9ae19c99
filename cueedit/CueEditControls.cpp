// The cue edit screen's left half and menu, placed from their dialog-unit layout.
#include "cueedit/CueEditDlg.h"
#include "cuesheet/CueSheet.h"
#include "cuesheet/CueSheetMenu.h"

#include "widgets/DialogUnits.h"
#include "widgets/FieldValidators.h"
#include "widgets/HistoryKeys.h"
#include "widgets/MenuScreen.h"
#include "widgets/WrapButton.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>

namespace {

const char* const kHelp =
    "To Insert a new cue. Clear bottom list, Select location (if possible) and Click the Insert Cue Button. "
    "To make Copys of cues select the cues from top list and click Copy Cues button. To Insert the copied cue "
    "select the location and click the Insert Button";
const char* const kNameBar = "No \"|\" or line break in a name: the cue file uses them";

QListWidget* AddList(QWidget* parent, int id, int x, int y, int width, int height)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::number(id));
    list->setGeometry(DluRect(x, y, width, height));
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setUniformItemSizes(true);  // a full list of 7,499 cues lays out at once
    return list;
}

}  // namespace

QPushButton* CCueEditDlg::AddButton(int id, const char* text, int x, int y, int width, int height)
{
    auto* button = new CWrapButton(m_client);
    button->setText(text);
    button->setObjectName(QString::number(id));
    button->setGeometry(DluRect(x, y, width, height));
    button->setAutoDefault(false);  // Enter never presses a button of this screen
    return button;
}

QLineEdit* CCueEditDlg::AddBox(int id, int x, int y, int width, int height)
{
    auto* box = new QLineEdit(m_client);
    box->setObjectName(QString::number(id));
    box->setGeometry(DluRect(x, y, width, height));
    return box;
}

void CCueEditDlg::BuildCueListHalf()
{
    auto* heading = new QLabel("Location    Cue Name", m_client);
    heading->setGeometry(DluRect(2, 0, 134, 9));
    m_location = AddBox(1008, 0, 9, 31, 14);
    m_location->setReadOnly(true);
    m_location->setAlignment(Qt::AlignCenter);
    m_location->setFocusPolicy(Qt::NoFocus);
    m_name = AddBox(1009, 33, 9, 103, 14);
    m_name->setMaxLength(kCueNameLimit);
    m_name->setValidator(new CNameValidator(kCueNameLimit, m_name));
    connect(m_name, &QLineEdit::textEdited, this, &CCueEditDlg::OnCueNameChange);
    m_nameNote = new QLabel(m_client);
    m_nameNote->setObjectName("cueNameNote");
    m_nameNote->setGeometry(DluRect(139, 0, 64, 27));
    m_nameNote->setWordWrap(true);
    m_nameNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_nameNote->setStyleSheet("color: #b00000");
    QFont small = m_nameNote->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    m_nameNote->setFont(small);
    connect(m_name, &QLineEdit::inputRejected, this, [this] { m_nameNote->setText(kNameBar); });
    QPushButton* nameDone = AddButton(1058, "OK", 195, 6, 50, 14);
    nameDone->hide();
    connect(nameDone, &QPushButton::clicked, this, &CCueEditDlg::OnCueNameDone);

    m_cueList = AddList(m_client, 1011, 0, 28, 137, 209);
    connect(m_cueList, &QListWidget::itemSelectionChanged, this, &CCueEditDlg::OnCueListSelChange);
    m_copyList = AddList(m_client, 1012, 0, 241, 138, 105);

    struct Command {
        int id;
        const char* text;
        int y;
        void (CCueEditDlg::*handler)();
    };
    const Command commands[] = {
        {1013, "Insert Cue", 28, &CCueEditDlg::OnInsertCue},
        {1014, "Copy Cues", 48, &CCueEditDlg::OnCopyCues},
        {1015, "Delete Cues", 68, &CCueEditDlg::OnDeleteCues},
        {1016, "Clear List", 241, &CCueEditDlg::OnClearList},
        {1018, "Delete", 261, &CCueEditDlg::OnDeleteCopyEntries},
    };
    for (const Command& c : commands)
        connect(AddButton(c.id, c.text, 143, c.y, 58, 16), &QPushButton::clicked, this, c.handler);
    auto* help = new QLabel(kHelp, m_client);
    help->setWordWrap(true);
    help->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    help->setGeometry(DluRect(143, 92, 62, 145));
}

void CCueEditDlg::BuildMenu()
{
    auto* bar = new QMenuBar(this);
    QMenu* file = bar->addMenu("&File");
    struct Command {
        const char* id;
        const char* text;
        void (CCueEditDlg::*handler)();
    };
    const Command commands[] = {
        {"32775", "&New", &CCueEditDlg::OnFileNew},
        {"32776", "&Load", &CCueEditDlg::OnFileLoad},
        {"32777", "&Save", &CCueEditDlg::OnFileSave},
        {"32778", "Save &As", &CCueEditDlg::OnFileSaveAs},
    };
    for (const Command& c : commands)
        file->addAction(c.text, this, c.handler)->setObjectName(c.id);
    AddCueSheetEntries(file, this, m_doc, [this](CCueSheet& sheet) { TakeCueSheet(m_doc, sheet); });
    QMenu* edit = bar->addMenu("&Edit");
    m_undo = edit->addAction("&Undo", this, &CCueEditDlg::OnUndo);
    m_undo->setObjectName("32779");
    m_redo = edit->addAction("&Redo", this, &CCueEditDlg::OnRedo);
    m_redo->setObjectName("32780");
    connect(edit, &QMenu::aboutToShow, this, &CCueEditDlg::UpdateEditMenu);
    UpdateEditMenu();

    PlaceMenuAndClient(this, bar, m_client);
}
