#include "console/AboutDlg.h"

#include "widgets/AppIcon.h"
#include "widgets/DialogUnits.h"

#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle("About Glimmerbox20");
    setFixedSize(DluX(235), DluY(55));
    auto* icon = new QLabel(this);
    icon->setPixmap(AppIcon().pixmap(32, 32));
    icon->setGeometry(DluRect(11, 17, 20, 20));
    auto* name = new QLabel("Glimmerbox20 Version 1.0", this);
    name->setGeometry(DluRect(40, 10, 119, 8));
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("1");
    ok->setGeometry(DluRect(178, 7, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
