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

CCommCan::CCommCan(CGlobal& global, QWidget* parent) : CLinkPage(global, 127, parent) {
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
    details_ = new QPushButton(tr("详细信息"), this);
    details_->setObjectName("1216");
    version_ = new QLabel(QStringLiteral("CAN Ver :"), this);
    version_->setObjectName("1212");

    auto* form = new QFormLayout;
    form->addRow(tr("波特率:"), rate_);
    form->addRow(tr("适配器:"), adapter_);
    LayOut(form, {version_, details_});

    connect(rate_, &QComboBox::activated, this, &CCommCan::OnRateChange);
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
    if (index != rememberedRate_)
        CloseOnChange();
    // Every entry counts, 10 and 5 KBit/s included.
    if (index >= 0 && index < canrates::kRateCount)
        rememberedRate_ = index;
}

bool CCommCan::SettingsChosen() const {
    return rate_->currentIndex() >= 0;
}

void CCommCan::AfterToggle() {
    if (!versionRead_)
        ReadVersion();
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
        LinkFailed(QStringLiteral("open CAN port failure!! \n"), result);
        return;
    }
    LinkOpened(address, rate.code,
               QStringLiteral("Comm Status: Open %1").arg(QLatin1String(rate.text)));
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
