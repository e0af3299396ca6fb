#include "comm/commrs232.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/global.h"
#include "comm/comm.h"
#include "comm/linkpagecommon.h"
#include "comm/serialports.h"
#include "platform/msgbox.h"
#include "platform/profile.h"

using namespace platform;

namespace {
constexpr int kBauds[] = {4800, 9600, 14400, 19200, 38400, 56000, 57600, 115200};
constexpr int kRefreshMs = 1500;  // the port list follows adapters plugged in while closed
}  // namespace

CCommRs232::CCommRs232(CGlobal& global, QWidget* parent) : CPageView(parent), global_(global) {
    BuildControls();
    refresh_.setInterval(kRefreshMs);
    connect(&refresh_, &QTimer::timeout, this, [this] {
        if (global_.online.load() != 1 && isVisible())
            FillPortList();
    });
}

void CCommRs232::BuildControls() {
    port_ = new QComboBox(this);
    port_->setObjectName("1000");
    port_->setMinimumContentsLength(18);
    baud_ = new QComboBox(this);
    baud_->setObjectName("1001");
    for (int b : kBauds) baud_->addItem(QString::number(b));
    baud_->setCurrentIndex(-1);
    address_ = new QLineEdit(QStringLiteral("1"), this);
    address_->setObjectName("1002");
    address_->setValidator(new QIntValidator(0, 255, address_));
    toggle_ = linkpage::MakeToggle(this);

    auto* form = new QFormLayout;
    form->addRow(tr("串口:"), port_);
    form->addRow(tr("波特率:"), baud_);
    form->addRow(tr("驱动器地址:"), address_);
    form->addRow(tr("连接:"), toggle_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    layout->addWidget(linkpage::MakeOkCancel(this));

    connect(port_, &QComboBox::activated, this, &CCommRs232::OnSelectionChange);
    connect(baud_, &QComboBox::activated, this, &CCommRs232::OnSelectionChange);
    connect(toggle_, &QPushButton::clicked, this, &CCommRs232::OnToggle);
}

void CCommRs232::OnInitialUpdate() {
    FillPortList();
    LoadSettings();
    global_.link.SetDriveAddress(address_->text().toInt());
    SetIconFromOnline();
    refresh_.start();
}

void CCommRs232::FillPortList() {
    QString selected = port_->currentText();
    std::vector<SerialPortEntry> ports = CSerialPorts().List();
    port_->clear();
    for (const SerialPortEntry& p : ports) {
        port_->addItem(p.path);
        if (!p.heldBy.isEmpty()) {
            int i = port_->count() - 1;
            port_->setItemData(i, QColor(Qt::gray), Qt::ForegroundRole);
            port_->setItemData(i, tr("被其它程序占用 (%1)").arg(p.heldBy), Qt::ToolTipRole);
        }
    }
    // The chosen port stays listed while it is chosen, also when its node is gone for now.
    if (!selected.isEmpty() && port_->findText(selected) < 0)
        port_->addItem(selected);
    port_->setCurrentIndex(port_->findText(selected));
}

void CCommRs232::LoadSettings() {
    const QString& ini = global_.settingsPath;
    QString comid = GetProfileString(ini, "com", "comid", QString(), 256);
    if (!comid.isEmpty() && port_->findText(comid) < 0) {
        // A saved port that is not plugged in now still shows, so the user sees the choice.
        port_->addItem(comid);
    }
    port_->setCurrentIndex(comid.isEmpty() ? -1 : port_->findText(comid));
    baud_->setCurrentIndex(baud_->findText(GetProfileString(ini, "com", "buadrate", {}, 16)));
    int address = CNumbers::ParseDecimal(GetProfileString(ini, "com", "driverid", {}, 16));
    address_->setText(QString::number(address));
    rememberedPort_ = port_->currentText();
    rememberedBaud_ = baud_->currentIndex();
}

void CCommRs232::OnSelectionChange() {
    bool changed =
        port_->currentText() != rememberedPort_ || baud_->currentIndex() != rememberedBaud_;
    if (changed && global_.online.load() == 1) {
        linkpage::SetToggleState(toggle_, false);
        global_.online = 2;
        global_.link.Close();
        ReportDown();
    }
    rememberedPort_ = port_->currentText();
    rememberedBaud_ = baud_->currentIndex();
}

void CCommRs232::OnToggle() {
    int address = address_->text().toInt();
    global_.link.SetDriveAddress(address);
    if (port_->currentIndex() < 0 || baud_->currentIndex() < 0 || global_.awaitingDrive.load() == 1)
        return;
    if (global_.online.load() == 1) {
        global_.online = 2;
        ReportDown();
        linkpage::SetToggleState(toggle_, false);
        global_.link.Close();
    } else {
        OpenLink(address);
    }
    SaveSettings();
}

void CCommRs232::OpenLink(int address) {
    global_.link.SetLinkKind(CComm::Serial);
    CommSettings settings;
    QByteArray path = port_->currentText().toUtf8();
    qstrncpy(settings.portName, path.constData(), sizeof settings.portName);
    int baud = kBauds[baud_->currentIndex()];
    settings.rate = baud;
    settings.waitMs = 500;
    int result = global_.link.Open(settings);
    if (result == 0) {
        SendMessage(global_.mainWindow.load(), WM_LINK_OPENED, 0, 0);
        linkpage::SetToggleState(toggle_, true);
        global_.awaitingDrive = 1;
        global_.settingsRemembered = 1;
        global_.rememberedPort = port_->currentText();
        global_.rememberedRate = baud;
        global_.rememberedAddress = static_cast<std::uint8_t>(address);
        global_.statusText = QString::asprintf("Comm Status: Open  %s  %d", path.constData(), baud);
        global_.online = 1;
        refresh_.stop();
        return;
    }
    MessageBox(QStringLiteral("open COM port failure!! \n") +
               QString::asprintf("errcode:=%d", result));
    linkpage::SetToggleState(toggle_, false);
    global_.link.Close();
    global_.online = 2;
    ReportDown();
}

void CCommRs232::SaveSettings() {
    const QString& ini = global_.settingsPath;
    WriteProfileString(ini, "com", "comid", port_->currentText());
    WriteProfileString(ini, "com", "buadrate", baud_->currentText());
    int address = address_->text().toInt();
    if (address != 0)
        WriteProfileString(ini, "com", "driverid", QString::number(address));
}

void CCommRs232::ReportDown() {
    SendMessage(global_.mainWindow.load(), WM_LINK_STATE, 0, 0);
}

void CCommRs232::SetIconFromOnline() {
    bool open = global_.online.load() == 1;
    linkpage::SetToggleState(toggle_, open);
    if (open)
        refresh_.stop();
    else if (!refresh_.isActive())
        refresh_.start();
}

void CCommRs232::paintEvent(QPaintEvent* event) {
    SetIconFromOnline();
    CPageView::paintEvent(event);
}

LResult CCommRs232::OnMessage(unsigned msg, WParam w, LParam) {
    if (msg == WM_PAGE_NOTIFY && w == PN_LINK_STATE)
        SetIconFromOnline();
    return 0;
}
