#include "remote/RemoteDlg.h"

#include "document/Operator.h"
#include "remote/QrImage.h"
#include "remote/Remote.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

CRemoteDlg::CRemoteDlg(CRemote& remote, IOperator* person, QWidget* parent)
    : QDialog(parent)
    , m_remote(remote)
    , m_operator(person)
{
    setWindowTitle("Remote Control");
    auto* grid = new QGridLayout(this);

    m_switch = new QCheckBox("Remote Control on: the phone page on this port", this);
    m_switch->setObjectName("1601");
    m_port = new QSpinBox(this);
    m_port->setObjectName("1602");
    m_port->setRange(1024, 65535);
    m_port->setKeyboardTracking(false);
    auto* portLabel = new QLabel("Port", this);
    m_addresses = new QLabel(this);
    m_addresses->setObjectName("1603");
    m_addresses->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_qr = new QLabel(this);
    m_qr->setObjectName("1604");
    m_qr->setFixedSize(180, 180);
    m_qr->setAlignment(Qt::AlignCenter);
    m_code = new QLabel(this);
    m_code->setObjectName("1605");
    QFont big = m_code->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    big.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    m_code->setFont(big);
    m_phones = new QListWidget(this);
    m_phones->setObjectName("1606");
    m_phones->setMinimumHeight(90);
    auto* forget = new QPushButton("Forget All Phones", this);
    forget->setObjectName("1607");
    forget->setAutoDefault(false);
    m_osc = new QCheckBox("OSC show-control input on (UDP port 8041)", this);
    m_osc->setObjectName("1608");
    m_counters = new QLabel(this);
    m_counters->setObjectName("1609");
    m_counters->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setObjectName("2");

    grid->addWidget(m_switch, 0, 0, 1, 2);
    auto* portRow = new QHBoxLayout;
    portRow->addWidget(portLabel);
    portRow->addWidget(m_port);
    portRow->addStretch();
    grid->addLayout(portRow, 1, 0, 1, 2);
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel("Open on the phone:", this));
    left->addWidget(m_addresses);
    left->addSpacing(8);
    left->addWidget(new QLabel("Pairing code:", this));
    left->addWidget(m_code);
    left->addStretch();
    grid->addLayout(left, 2, 0);
    grid->addWidget(m_qr, 2, 1, Qt::AlignTop);
    grid->addWidget(new QLabel("Paired phones:", this), 3, 0, 1, 2);
    grid->addWidget(m_phones, 4, 0, 1, 2);
    grid->addWidget(forget, 5, 0, Qt::AlignLeft);
    grid->addWidget(m_osc, 6, 0, 1, 2);
    grid->addWidget(m_counters, 7, 0, 1, 2);
    grid->addWidget(buttons, 8, 0, 1, 2);

    connect(m_switch, &QCheckBox::clicked, this, &CRemoteDlg::OnRemoteSwitch);
    connect(m_osc, &QCheckBox::clicked, this, &CRemoteDlg::OnOscSwitch);
    connect(m_port, &QSpinBox::editingFinished, this, &CRemoteDlg::OnPortChosen);
    connect(forget, &QPushButton::clicked, this, &CRemoteDlg::OnForgetAll);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(&m_remote, &CRemote::Changed, this, &CRemoteDlg::Refresh);
    Refresh();
    setMinimumWidth(460);
}

void CRemoteDlg::Tell(const QString& text)
{
    if (m_operator != nullptr)
        m_operator->Message(text.toLocal8Bit().constData(), "ERROR");
}

void CRemoteDlg::OnRemoteSwitch()
{
    QString why;
    if (!m_remote.SetEnabled(m_switch->isChecked(), &why))
        Tell("The remote could not open port " + QString::number(m_remote.Settings().port) + ": " + why);
    Refresh();
}

void CRemoteDlg::OnOscSwitch()
{
    QString why;
    if (!m_remote.SetOscEnabled(m_osc->isChecked(), &why))
        Tell("OSC input could not open UDP port " + QString::number(m_remote.Settings().oscPort) + ": " + why);
    Refresh();
}

void CRemoteDlg::OnPortChosen()
{
    const quint16 port = static_cast<quint16>(m_port->value());
    if (port == m_remote.Settings().port)
        return;
    QString why;
    if (!m_remote.SetPort(port, &why))
        Tell("The remote could not move to port " + QString::number(port) + ": " + why);
    Refresh();
}

void CRemoteDlg::OnForgetAll()
{
    m_remote.ForgetAll();
    Refresh();
}

void CRemoteDlg::Refresh()
{
    const CRemoteSettings& s = m_remote.Settings();
    const bool on = m_remote.Server().Listening();
    m_switch->setChecked(on);
    m_osc->setChecked(m_remote.Osc().Listening());
    if (!m_port->hasFocus()) {
        QSignalBlocker quiet(m_port);
        m_port->setValue(s.port);
    }
    const QStringList addresses = m_remote.PageAddresses();
    m_addresses->setText(on ? addresses.join('\n') : QStringLiteral("(remote off)"));
    const QImage qr = on && !addresses.isEmpty() ? QrImage(addresses.first(), 4) : QImage();
    m_qr->setPixmap(qr.isNull() ? QPixmap() : QPixmap::fromImage(qr.scaled(m_qr->size(), Qt::KeepAspectRatio)));
    m_code->setText(on ? m_remote.Pairing().Code() : QStringLiteral("------"));
    m_phones->clear();
    for (const CPairedPhone& phone : m_remote.Pairing().Phones())
        m_phones->addItem(phone.name);
    const CRemoteCounters& c = m_remote.Server().Counters();
    const COscCounters& o = m_remote.Osc().Counters();
    QString text = QString("Refused: %1 connections from outside the local network, %2 requests, %3 messages; "
                           "%4 wrong codes, %5 lockouts. OSC: %6 commands, %7 malformed, %8 from outside.")
                       .arg(c.refusedPeers)
                       .arg(c.refusedRequests)
                       .arg(c.refusedMessages)
                       .arg(c.wrongCodes)
                       .arg(c.lockouts)
                       .arg(o.commands)
                       .arg(o.malformed)
                       .arg(o.refusedPeers);
    if (!m_remote.SaveError().isEmpty())
        text += "\nNot saved: " + m_remote.SaveError();
    m_counters->setText(text);
}
