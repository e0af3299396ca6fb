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

CCommRs232::CCommRs232(CGlobal& global, QWidget* parent) : CLinkPage(global, 255, parent) {
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

    auto* form = new QFormLayout;
    form->addRow(tr("串口:"), port_);
    form->addRow(tr("波特率:"), baud_);
    LayOut(form);

    connect(port_, &QComboBox::activated, this, &CCommRs232::OnSelectionChange);
    connect(baud_, &QComboBox::activated, this, &CCommRs232::OnSelectionChange);
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
    if (port_->currentText() != rememberedPort_ || baud_->currentIndex() != rememberedBaud_)
        CloseOnChange();
    rememberedPort_ = port_->currentText();
    rememberedBaud_ = baud_->currentIndex();
}

bool CCommRs232::SettingsChosen() const {
    return port_->currentIndex() >= 0 && baud_->currentIndex() >= 0;
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
    if (result != 0) {
        LinkFailed(QStringLiteral("open COM port failure!! \n"), result);
        return;
    }
    global_.rememberedPort = port_->currentText();
    LinkOpened(address, baud,
               QString::asprintf("Comm Status: Open  %s  %d", path.constData(), baud));
    refresh_.stop();
}

void CCommRs232::SaveSettings() {
    const QString& ini = global_.settingsPath;
    WriteProfileString(ini, "com", "comid", port_->currentText());
    WriteProfileString(ini, "com", "buadrate", baud_->currentText());
    int address = address_->text().toInt();
    if (address != 0)
        WriteProfileString(ini, "com", "driverid", QString::number(address));
}

void CCommRs232::SetIconFromOnline() {
    CLinkPage::SetIconFromOnline();
    if (global_.online.load() == 1)
        refresh_.stop();
    else if (!refresh_.isActive())
        refresh_.start();
}
