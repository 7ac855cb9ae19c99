// The parameter panel's controls, placed from their dialog-unit layout.
#include "cueedit/CueEditDlg.h"

#include "widgets/DialogUnits.h"
#include "widgets/FieldValidators.h"
#include "widgets/UpDown.h"
#include "widgets/WrapCheckBox.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QRegularExpression>
#include <QPushButton>
#include <QSlider>

namespace {

// Slider and start-level bar of each channel, in channel order, with the slider's place.
struct LevelPlace {
    int slider, bar, x, y;
};
const LevelPlace kLevelPlaces[kChannels] = {
    {1041, 1040, 215, 25},  {1043, 1042, 257, 25},  {1033, 1032, 215, 135}, {1035, 1034, 257, 135},
    {1037, 1036, 297, 135}, {1039, 1038, 339, 135}, {1021, 1020, 215, 239}, {1023, 1022, 257, 239},
    {1025, 1024, 297, 239}, {1027, 1026, 339, 239}, {1029, 1028, 378, 239}, {1031, 1030, 420, 239},
    {1047, 1046, 339, 25},  {1045, 1044, 297, 25},
};

const char* const kBarHelp =
    "The Blue Bar next to each Slider bar represents the brightness of the light at the start of the cue. Align "
    "the Slider to to brightness you want the lights to go to during the Fade Time. Fade time is in 1/10th of a "
    "second period";

QLabel* AddLabel(QWidget* parent, const char* text, int x, int y, int width, int height)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(DluRect(x, y, width, height));
    return label;
}

}  // namespace

void CCueEditDlg::BuildPanel()
{
    BuildLevels();
    BuildValueBoxes();
    BuildChaseControls();
    m_reverse = new CWrapCheckBox("If Checked, this will reverse the Chase Direction.", m_client);
    m_reverse->setObjectName("1053");
    m_reverse->setGeometry(DluRect(364, 196, 160, 26));
    connect(m_reverse, &QCheckBox::clicked, this, &CCueEditDlg::OnReverseClicked);
    m_panel.push_back(m_reverse);
}

void CCueEditDlg::BuildLevels()
{
    // Each row's label names its channels left to right; every name stands over its own bar and slider.
    const char* const rows[] = {
        "Star              Cross            Outline         Chest",
        "Aux 1           Aux 2            Aux 3           Aux 4",
        "Color 1         Color 2          Color 3         Color 4         Color 5         Color 6",
    };
    const int rowTops[] = {25, 135, 239};
    const int columns[] = {215, 257, 297, 339, 378, 420};
    for (int row = 0; row < 3; ++row) {
        const QStringList names = QString(rows[row]).split(QRegularExpression(" {2,}"));
        for (int i = 0; i < names.size(); ++i)
            AddLabel(m_client, names[i].toLatin1().constData(), columns[i] - 10, rowTops[row] - 10, 38, 9);
    }
    AddLabel(m_client, kBarHelp, 445, 240, 84, 108);
    QPalette blue;
    blue.setColor(QPalette::Highlight, QColor(0, 0, 255));
    QPalette plain;  // a slider's groove stays plain beside the blue start-level bar
    plain.setColor(QPalette::Highlight, plain.color(QPalette::Mid));
    for (int k = 0; k < kChannels; ++k) {
        const LevelPlace& place = kLevelPlaces[k];
        auto* slider = new QSlider(Qt::Vertical, m_client);
        slider->setObjectName(QString::number(place.slider));
        slider->setGeometry(DluRect(place.x, place.y, 24, 87));
        slider->setRange(0, 100);
        slider->setInvertedAppearance(true);  // position 0, level 100, at the top
        slider->setInvertedControls(true);
        slider->setTickPosition(QSlider::TicksRight);
        slider->setTickInterval(10);
        slider->setPalette(plain);
        connect(slider, &QSlider::valueChanged, this, [this, k] { OnLevelReleased(k); });
        connect(slider, &QSlider::sliderReleased, this, &CCueEditDlg::SealHistory);  // a drag is one step
        auto* bar = new QProgressBar(m_client);
        bar->setObjectName(QString::number(place.bar));
        bar->setGeometry(DluRect(place.x - 10, place.y, 8, 87));
        bar->setOrientation(Qt::Vertical);
        bar->setRange(0, 100);
        bar->setTextVisible(false);
        bar->setPalette(blue);
        m_slider[k] = slider;
        m_bar[k] = bar;
        m_panel.push_back(slider);
        m_panel.push_back(bar);
    }
}

void CCueEditDlg::BuildValueBoxes()
{
    struct Place {
        CueValue value;
        int box, x, y, spin, spinX, spinY, highest;
        const char* label;
        int labelX, labelY, labelWidth, labelHeight;
    };
    const Place places[] = {
        {CueValue::kFadeTime, 1049, 381, 179, 1050, 421, 177, 100, "Fade Time  (1/10 sec)", 365, 160, 74, 19},
        {CueValue::kChaseSpeed, 1051, 459, 180, 1052, 500, 179, 100, "Chase Speed (0 is Fast)", 440, 160, 84, 19},
        {CueValue::kRunCount, 1055, 449, 144, 1056, 489, 144, 20,
         "Run Count. How Many Times you want the Chase to Run Before it Stops. a count of 20 is the same as "
         "Endless Running.",
         428, 92, 96, 50},
    };
    for (const Place& p : places) {
        AddLabel(m_client, p.label, p.labelX, p.labelY, p.labelWidth, p.labelHeight);
        QLineEdit* box = AddBox(p.box, p.x, p.y, 40, 14);
        box->setReadOnly(true);  // the arrows change it
        box->setAlignment(Qt::AlignCenter);
        auto* spin = new CUpDown(box, m_client);
        spin->setObjectName(QString::number(p.spin));
        spin->setGeometry(DluRect(p.spinX, p.spinY, 11, 14));
        spin->SetRange(0, p.highest);
        const CueValue value = p.value;
        connect(box, &QLineEdit::textChanged, this, [this, value] { OnValueUpdate(value); });
        m_values.push_back({value, box, spin});
        m_panel.push_back(box);
        m_panel.push_back(spin);
    }
    AddLabel(m_client, "Cue Active Time. How long the Cue Runs (in 1/10th sec increments)     (-1) is endless", 364,
             90, 62, 50);
    m_activeTime = AddBox(1194, 369, 142, 40, 14);
    m_activeTime->setAlignment(Qt::AlignCenter);
    m_activeTime->setContextMenuPolicy(Qt::NoContextMenu);  // digits are typed, not pasted
    m_activeTime->setAcceptDrops(false);
    // Keys are filtered before they arrive; this holds for every other way in too
    // (an input method's commit, a middle-click paste).
    m_activeTimeDigits = new CDigitsValidator(kActiveTimeDigits, m_activeTime);
    m_activeTime->setValidator(m_activeTimeDigits);
    connect(m_activeTime, &QLineEdit::textChanged, this, [this] { OnValueUpdate(CueValue::kActiveTime); });
    m_values.push_back({CueValue::kActiveTime, m_activeTime, nullptr});
    m_panel.push_back(m_activeTime);
}

void CCueEditDlg::BuildChaseControls()
{
    AddLabel(m_client, "Selected Chase", 392, 5, 130, 10);
    m_chaseBox = AddBox(1048, 391, 17, 132, 15);
    m_chaseBox->setReadOnly(true);
    m_chaseList = new QListWidget(m_client);
    m_chaseList->setObjectName("1191");
    m_chaseList->setGeometry(DluRect(391, 33, 132, 29));
    m_chaseList->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_chaseList, &QListWidget::itemSelectionChanged, this, &CCueEditDlg::OnSelectedChaseChange);
    connect(m_chaseList, &QListWidget::itemDoubleClicked, this, &CCueEditDlg::OnEditChase);
    QPushButton* editChase = AddButton(1054, "GoTo Edit Chase Screen", 392, 65, 132, 21);
    connect(editChase, &QPushButton::clicked, this, &CCueEditDlg::OnEditChase);
    m_panel.push_back(m_chaseBox);
    m_panel.push_back(m_chaseList);
}
