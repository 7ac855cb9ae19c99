// The lamp test screen's controls: the banner, the picture, the big label and
// what chooses the trees, the pattern, the level and the stepping.
#include "lamptest/LampTestDlg.h"
#include "lamptest/LampTestPicture.h"
#include "link/FrameDecoder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace {

QLabel* Text(QWidget* parent, const char* id, const QString& text, int points = 0, bool bold = false)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(id);
    if (points > 0 || bold) {
        QFont font = label->font();
        if (points > 0)
            font.setPointSize(points);
        font.setBold(bold);
        label->setFont(font);
    }
    return label;
}

QComboBox* Choice(QWidget* parent, const char* id, const QStringList& items)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(id);
    box->addItems(items);
    return box;
}

QPushButton* Button(QWidget* parent, const char* id, const char* text)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(id);
    button->setAutoDefault(false);
    button->setMinimumHeight(40);
    return button;
}

}  // namespace

void CLampTestDlg::BuildControls()
{
    auto* banner = Text(this, "2001", "LAMP TEST - the show is stopped", 18, true);
    banner->setAlignment(Qt::AlignCenter);
    banner->setAutoFillBackground(true);
    banner->setStyleSheet("background-color: #b00000; color: white; padding: 6px;");

    m_picture = new CLampTestPicture(m_doc, m_onShow, this);

    // Read from the structure, a few metres away.
    m_label = Text(this, "2002", "", 30, true);
    m_label->setWordWrap(true);
    m_label->setMinimumHeight(150);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_counter = Text(this, "2003", "", 16);
    m_notice = Text(this, "2004", "", 0, true);
    m_notice->setWordWrap(true);
    m_notice->setStyleSheet("color: #b05000;");
    m_lineState = Text(this, "2005", "");

    m_trees = Choice(this, "2010", {"Tree 1", "Tree 2", "Trees 1 and 2"});
    m_trees->setCurrentIndex(2);
    // In the order of ELampPattern.
    m_pattern = Choice(this, "2011",
                       {"All Off", "All On", "One Circuit at a Time", "Tier Walk", "Column Walk", "Alternate",
                        "Dimmer Test"});
    m_start = Choice(this, "2012", {});
    m_start->setMaxVisibleItems(20);
    QStringList channels;
    for (int k = 0; k < kChannels; ++k)
        channels << ChannelName(k);
    m_channel = Choice(this, "2013", channels);
    m_channel->setCurrentIndex(kColor1);
    m_dimmerMode = Choice(this, "2014", {"Ramp 0 - 100 - 0", "Hold at Level"});
    m_level = new QSlider(Qt::Horizontal, this);
    m_level->setObjectName("2015");
    m_level->setRange(0, 100);
    m_level->setValue(100);
    m_level->setPageStep(10);
    m_levelText = Text(this, "2016", "100%");
    m_levelText->setMinimumWidth(m_levelText->fontMetrics().horizontalAdvance("100%") + 4);
    m_auto = new QCheckBox("Step by itself, every", this);
    m_auto->setObjectName("2017");
    m_speed = new QDoubleSpinBox(this);
    m_speed->setObjectName("2018");
    m_speed->setRange(0.2, 5.0);
    m_speed->setSingleStep(0.1);
    m_speed->setDecimals(1);
    m_speed->setValue(1.0);
    m_speed->setSuffix(" s");
    m_back = Button(this, "2020", "< Back");
    m_next = Button(this, "2021", "Next >");
    QPushButton* allOff = Button(this, "2022", "All Off (Esc)");
    QPushButton* leave = Button(this, "2023", "Leave Lamp Test");

    auto* form = new QGridLayout;
    int row = 0;
    auto addRow = [&](const char* name, QWidget* a, QWidget* b = nullptr) {
        form->addWidget(new QLabel(name, this), row, 0);
        form->addWidget(a, row, 1, 1, b ? 1 : 2);
        if (b)
            form->addWidget(b, row, 2);
        ++row;
    };
    addRow("Trees:", m_trees);
    addRow("Pattern:", m_pattern);
    addRow("Step:", m_start);
    addRow("Dimmer channel:", m_channel, m_dimmerMode);
    addRow("Level:", m_level, m_levelText);
    form->addWidget(m_auto, row, 0, 1, 2);
    form->addWidget(m_speed, row, 2);
    form->setColumnStretch(1, 1);

    auto* steps = new QHBoxLayout;
    steps->addWidget(m_back);
    steps->addWidget(m_next);
    auto* ends = new QHBoxLayout;
    ends->addWidget(allOff);
    ends->addWidget(leave);

    auto* side = new QVBoxLayout;
    side->addWidget(m_label);
    side->addWidget(m_counter);
    side->addWidget(m_notice);
    side->addStretch(1);
    side->addLayout(form);
    side->addLayout(steps);
    side->addLayout(ends);
    side->addWidget(m_lineState);

    auto* body = new QHBoxLayout;
    body->addWidget(m_picture, 0, Qt::AlignTop);
    body->addLayout(side, 1);
    auto* all = new QVBoxLayout(this);
    all->addWidget(banner);
    all->addLayout(body);
    setMinimumWidth(1000);

    // Connected once everything exists: filling the boxes above chose nothing.
    auto touched = [this](auto&& then) {
        return [this, then](auto&&...) {
            Touched();
            then();
        };
    };
    connect(m_trees, &QComboBox::currentIndexChanged, this, touched([this] { SendStep(); }));
    connect(m_pattern, &QComboBox::currentIndexChanged, this, touched([this] { Replan(false); }));
    connect(m_channel, &QComboBox::currentIndexChanged, this, touched([this] { Replan(false); }));
    connect(m_dimmerMode, &QComboBox::currentIndexChanged, this, touched([this] { Replan(false); }));
    connect(m_start, &QComboBox::activated, this, [this](int step) {
        Touched();
        GoTo(step);
    });
    connect(m_level, &QSlider::valueChanged, this, touched([this] {
                m_levelText->setText(QString("%1%").arg(m_level->value()));
                Replan(true);
            }));
    auto restartAuto = touched([this] { m_nextStepAt = m_now() + StepMs(); });
    connect(m_auto, &QCheckBox::toggled, this, restartAuto);
    connect(m_speed, &QDoubleSpinBox::valueChanged, this, restartAuto);
    connect(m_back, &QPushButton::clicked, this, &CLampTestDlg::OnBack);
    connect(m_next, &QPushButton::clicked, this, &CLampTestDlg::OnNext);
    connect(allOff, &QPushButton::clicked, this, &CLampTestDlg::OnAllOff);
    connect(leave, &QPushButton::clicked, this, &CLampTestDlg::reject);
}
