#include "comm/commcan.h"

#include <QComboBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstring>

#include "app/global.h"
#include "comm/canrates.h"
#include "comm/comm.h"
#include "comm/linkpagecommon.h"
#include "platform/msgbox.h"
#include "platform/profile.h"

using namespace platform;

QString CanVersionLabel(const char* buffer256) {
    std::size_t length = strnlen(buffer256, 256);  // the search stays inside the buffer
    QByteArray text(buffer256, static_cast<int>(length));
    int colon = text.lastIndexOf(':');
    if (colon < 0)
        return QStringLiteral("CAN Ver : ") + QString::fromLatin1(text);
    return QStringLiteral("CAN Ver") + QString::fromLatin1(text.mid(colon));
}

CCommCan::CCommCan(CGlobal& global, QWidget* parent) : CPageView(parent), global_(global) {
    BuildControls();
}

void CCommCan::BuildControls() {
    rate_ = new QComboBox(this);
    rate_->setObjectName("1213");
    for (const canrates::Entry& e : canrates::kRates) rate_->addItem(QLatin1String(e.text));
    rate_->setCurrentIndex(-1);
    adapter_ = new QComboBox(this);
    adapter_->setObjectName("adapter");
    adapter_->setEditable(true);  // other plugins and interfaces can be typed in
    adapter_->addItems(canrates::AdapterChoices());
    address_ = new QLineEdit(QStringLiteral("1"), this);
    address_->setObjectName("1002");
    address_->setValidator(new QIntValidator(0, 127, address_));
    toggle_ = linkpage::MakeToggle(this);
    details_ = new QPushButton(tr("详细信息"), this);
    details_->setObjectName("1216");
    version_ = new QLabel(QStringLiteral("CAN Ver :"), this);
    version_->setObjectName("1212");

    auto* form = new QFormLayout;
    form->addRow(tr("波特率:"), rate_);
    form->addRow(tr("适配器:"), adapter_);
    form->addRow(tr("驱动器地址:"), address_);
    form->addRow(tr("连接:"), toggle_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(version_);
    layout->addWidget(details_, 0, Qt::AlignLeft);
    layout->addStretch();
    layout->addWidget(linkpage::MakeOkCancel(this));

    connect(rate_, &QComboBox::activated, this, &CCommCan::OnRateChange);
    connect(toggle_, &QPushButton::clicked, this, &CCommCan::OnToggle);
    connect(details_, &QPushButton::clicked, this, &CCommCan::ShowDetails);
}

void CCommCan::OnInitialUpdate() {
    LoadSettings();
    global_.link.SetLinkKind(CComm::Can);
    global_.link.SetDriveAddress(address_->text().toInt());
    ReadVersion();
    SetIconFromOnline();
}

void CCommCan::LoadSettings() {
    const QString& ini = global_.settingsPath;
    // All nine codes are recognised, so a saved 10 or 5 KBit/s survives the next start.
    int index = canrates::IndexOfCode(GetProfileInt(ini, "can", "buadrate", 0));
    if (index >= 0) {
        rate_->setCurrentIndex(index);
        int address = CNumbers::ParseDecimal(GetProfileString(ini, "can", "driverid", {}, 16));
        address_->setText(QString::number(address));
    }
    rememberedRate_ = rate_->currentIndex();
    QString adapter = GetProfileString(ini, "can", "adapter", canrates::DefaultAdapter());
    if (adapter_->findText(adapter) < 0)
        adapter_->addItem(adapter);
    adapter_->setCurrentIndex(adapter_->findText(adapter));
}

void CCommCan::OnRateChange() {
    int index = rate_->currentIndex();
    if (index != rememberedRate_ && global_.online.load() == 1) {
        linkpage::SetToggleState(toggle_, false);
        global_.online = 2;
        ReportDown();
    }
    // Every entry counts, 10 and 5 KBit/s included.
    if (index >= 0 && index < canrates::kRateCount)
        rememberedRate_ = index;
}

void CCommCan::OnToggle() {
    int address = address_->text().toInt();
    global_.link.SetDriveAddress(address);
    if (rate_->currentIndex() < 0 || global_.awaitingDrive.load() == 1)
        return;
    if (global_.online.load() == 1) {
        global_.online = 2;
        ReportDown();
        linkpage::SetToggleState(toggle_, false);
        global_.link.Close();
    } else {
        OpenLink(address);
    }
    if (!versionRead_)
        ReadVersion();
    SaveSettings();
}

void CCommCan::OpenLink(int address) {
    global_.link.SetLinkKind(CComm::Can);
    const canrates::Entry& rate = canrates::kRates[rate_->currentIndex()];
    CommSettings settings;
    settings.driveAddress = address;
    settings.rate = rate.code;
    settings.waitMs = 500;
    QByteArray adapter = adapter_->currentText().trimmed().toUtf8();
    qstrncpy(settings.adapter, adapter.constData(), sizeof settings.adapter);
    int result = global_.link.Open(settings);
    if (result != 0) {
        // The adapter refused: say so instead of showing an open link that is not.
        MessageBox(QStringLiteral("open CAN port failure!! \n") +
                   QString::asprintf("errcode:=%d", result));
        linkpage::SetToggleState(toggle_, false);
        global_.link.Close();
        global_.online = 2;
        ReportDown();
        return;
    }
    SendMessage(global_.mainWindow.load(), WM_LINK_OPENED, 0, 0);
    linkpage::SetToggleState(toggle_, true);
    global_.awaitingDrive = 1;
    global_.settingsRemembered = 1;
    global_.rememberedAddress = static_cast<std::uint8_t>(address);
    global_.rememberedRate = rate.code;
    global_.statusText = QStringLiteral("Comm Status: Open %1").arg(QLatin1String(rate.text));
    global_.online = 1;
}

void CCommCan::SaveSettings() {
    const QString& ini = global_.settingsPath;
    int index = rate_->currentIndex();
    if (index >= 0)
        WriteProfileString(ini, "can", "buadrate", QString::number(canrates::kRates[index].code));
    int address = address_->text().toInt();
    if (address != 0)
        WriteProfileString(ini, "can", "driverid", QString::number(address));
    QString adapter = adapter_->currentText().trimmed();
    if (!adapter.isEmpty())
        WriteProfileString(ini, "can", "adapter", adapter);
}

void CCommCan::ReadVersion() {
    char buffer[256] = {};
    if (global_.link.GetVersion(buffer) != 0) {
        versionRead_ = 1;
        version_->setText(CanVersionLabel(buffer));
    } else {
        MessageBox(QStringLiteral("Your PC doesn't have Peak CAN-USB driver!! "));
    }
}

void CCommCan::ShowDetails() {
    char buffer[256] = {};
    if (global_.link.GetVersion(buffer) != 0)
        MessageBox(QString::fromLatin1(buffer, static_cast<int>(strnlen(buffer, 256))), QString(),
                   MB_ICONINFORMATION);
}

void CCommCan::ReportDown() {
    SendMessage(global_.mainWindow.load(), WM_LINK_STATE, 0, 0);
}

void CCommCan::SetIconFromOnline() {
    linkpage::SetToggleState(toggle_, global_.online.load() == 1);
}

void CCommCan::paintEvent(QPaintEvent* event) {
    SetIconFromOnline();
    CPageView::paintEvent(event);
}

LResult CCommCan::OnMessage(unsigned msg, WParam w, LParam) {
    if (msg == WM_PAGE_NOTIFY && w == PN_LINK_STATE)
        SetIconFromOnline();
    return 0;
}
