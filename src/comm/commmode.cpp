#include "comm/commmode.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/buttonrow.h"
#include "app/global.h"
#include "comm/comm.h"
#include "platform/msgbox.h"
#include "platform/profile.h"

using namespace platform;

CCommMode::CCommMode(CGlobal& global, QWidget* parent) : CPageView(parent), global_(global) {
    auto* group = new QGroupBox(tr("通信方式"), this);
    auto* radios = new QVBoxLayout(group);
    can_ = MakeRadio(QStringLiteral("CAN"), "1011");
    serial_ = MakeRadio(QStringLiteral("RS232C"), "1025");
    rs485_ = MakeRadio(QStringLiteral("RS485"), "1019");
    usb_ = MakeRadio(QStringLiteral("USB"), "1013");
    offline_ = MakeRadio(tr("离线"), "1031");
    for (QRadioButton* r : {can_, serial_, rs485_, usb_, offline_}) radios->addWidget(r);

    next_ = MakeButton(tr("下一步"), "1003", this);
    next_->setEnabled(false);
    cancel_ = MakeButton(tr("取消"), "1004", this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch();
    layout->addLayout(ButtonRow({next_, cancel_}));

    connect(can_, &QRadioButton::clicked, this, [this] { Select(CComm::Can); });
    connect(serial_, &QRadioButton::clicked, this, [this] { Select(CComm::Serial); });
    connect(offline_, &QRadioButton::clicked, this, [this] { Select(CComm::Offline); });
    connect(next_, &QPushButton::clicked, this, &CCommMode::OnNext);
    connect(cancel_, &QPushButton::clicked, this, &CCommMode::CloseFrame);
}

QRadioButton* CCommMode::MakeRadio(const QString& text, const char* id) {
    auto* radio = new QRadioButton(text, this);
    radio->setObjectName(id);
    radio->setAutoExclusive(false);  // the page checks and unchecks them itself
    return radio;
}

void CCommMode::OnInitialUpdate() {
    // Another instance holding the CAN adapter left "can" at 1.
    int canInUse =
        CNumbers::ParseDecimal(GetProfileString(global_.settingsPath, "sys", "can", {}, 4));
    if (canInUse != 0 && global_.canMarked == 0) {
        global_.commMode = CComm::Offline;
        can_->setEnabled(false);
    }
    rs485_->setEnabled(false);
    usb_->setEnabled(false);
    int mode = global_.commMode;
    Select(mode == CComm::Serial || mode == CComm::Can ? mode : int(CComm::Offline));
}

void CCommMode::Select(int mode) {
    can_->setChecked(mode == CComm::Can);
    serial_->setChecked(mode == CComm::Serial);
    offline_->setChecked(mode == CComm::Offline);
    next_->setEnabled(true);
    global_.commMode = mode;
    int result = global_.link.SetLinkKind(mode);
    if (mode == CComm::Can && result == 0) {
        MessageBox(QStringLiteral("Open PCAN_USB failure!!"));
        Select(CComm::Offline);
    }
}

void CCommMode::OnNext() {
    global_.online = 2;
    SendMessage(global_.mainWindow.load(), WM_LINK_STATE, 0, 0);
    global_.link.Close();
    const QString& ini = global_.settingsPath;
    switch (global_.commMode) {
        case CComm::Serial:
            WriteProfileString(ini, "sys", "comm", QString::number(CComm::Serial));
            SendMessage(global_.mainWindow.load(), WM_LINK_PAGE, 0, 0);
            break;
        case CComm::Can:
            WriteProfileString(ini, "sys", "comm", QString::number(CComm::Can));
            SendMessage(global_.mainWindow.load(), WM_LINK_PAGE, 1, 0);
            break;
        default:
            WriteProfileString(ini, "sys", "comm", QString::number(CComm::Offline));
            break;
    }
    CloseFrame();
}
