#include "app/aboutdlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "resources/bitmaps.h"

#ifndef VELTO_VERSION
#define VELTO_VERSION "0.1"
#endif

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("关于 VeltoServo"));
    auto* icon = new QLabel(this);
    icon->setPixmap(resources::ToolBarImage(resources::IDB_TOOLBAR_OPEN, 2).scaled(48, 48));
    auto* text =
        new QLabel(tr("VeltoServo 版本 %1\n伺服驱动器配置与调试工具").arg(VELTO_VERSION), this);
    text->setObjectName("version");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addWidget(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}
