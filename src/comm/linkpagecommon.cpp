#include "comm/linkpagecommon.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/global.h"
#include "platform/msgbox.h"
#include "resources/bitmaps.h"

using namespace platform;

CLinkPage::CLinkPage(CGlobal& global, int maxAddress, QWidget* parent)
    : CPageView(parent),
      global_(global),
      address_(new QLineEdit(QStringLiteral("1"), this)),
      toggle_(linkpage::MakeToggle(this)) {
    address_->setObjectName("1002");
    address_->setValidator(new QIntValidator(0, maxAddress, address_));
    connect(toggle_, &QPushButton::clicked, this, &CLinkPage::OnToggle);
}

void CLinkPage::LayOut(QFormLayout* settings, std::initializer_list<QWidget*> below) {
    settings->addRow(tr("驱动器地址:"), address_);
    settings->addRow(tr("连接:"), toggle_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(settings);
    for (QWidget* widget : below) layout->addWidget(widget, 0, Qt::AlignLeft);
    layout->addStretch();
    layout->addWidget(linkpage::MakeOkCancel(this));
}

void CLinkPage::OnToggle() {
    int address = address_->text().toInt();
    global_.link.SetDriveAddress(address);
    if (!SettingsChosen() || global_.awaitingDrive.load() == 1)
        return;
    if (global_.online.load() == 1) {
        global_.online = 2;
        ReportDown();
        linkpage::SetToggleState(toggle_, false);
        global_.link.Close();
    } else {
        OpenLink(address);
    }
    AfterToggle();
    SaveSettings();
}

void CLinkPage::LinkOpened(int address, int rate, const QString& statusText) {
    SendMessage(global_.mainWindow.load(), WM_LINK_OPENED, 0, 0);
    linkpage::SetToggleState(toggle_, true);
    global_.awaitingDrive = 1;
    global_.settingsRemembered = 1;
    global_.rememberedRate = rate;
    global_.rememberedAddress = static_cast<std::uint8_t>(address);
    global_.statusText = statusText;
    global_.online = 1;
}

void CLinkPage::LinkFailed(const QString& failure, int result) {
    MessageBox(failure + QString::asprintf("errcode:=%d", result));
    linkpage::SetToggleState(toggle_, false);
    global_.link.Close();
    global_.online = 2;
    ReportDown();
}

void CLinkPage::CloseOnChange() {
    if (global_.online.load() != 1) {
        if (global_.reconnecting)
            ReportDown();  // the old settings are not to be reopened any more
        return;
    }
    linkpage::SetToggleState(toggle_, false);
    global_.online = 2;
    global_.link.Close();
    ReportDown();
}

void CLinkPage::ReportDown() {
    SendMessage(global_.mainWindow.load(), WM_LINK_STATE, 0, 0);
}

void CLinkPage::SetIconFromOnline() {
    linkpage::SetToggleState(toggle_, global_.online.load() == 1);
}

void CLinkPage::paintEvent(QPaintEvent* event) {
    SetIconFromOnline();
    CPageView::paintEvent(event);
}

LResult CLinkPage::OnMessage(unsigned msg, WParam w, LParam) {
    if (msg == WM_PAGE_NOTIFY && w == PN_LINK_STATE)
        SetIconFromOnline();
    return 0;
}

namespace linkpage {

QIcon ToggleIcon(bool open) {
    return QIcon(
        resources::LoadBitmap(open ? resources::IDB_LINK_OPEN : resources::IDB_LINK_CLOSED));
}

QPushButton* MakeToggle(QWidget* parent) {
    auto* toggle = new QPushButton(parent);
    toggle->setObjectName("1006");
    toggle->setIconSize(QSize(32, 32));
    toggle->setFixedSize(48, 40);
    SetToggleState(toggle, false);
    return toggle;
}

void SetToggleState(QPushButton* toggle, bool open) {
    QVariant shown = toggle->property("linkOpen");
    if (shown.isValid() && shown.toBool() == open)
        return;
    toggle->setProperty("linkOpen", open);
    toggle->setIcon(ToggleIcon(open));
}

bool ToggleShowsOpen(const QPushButton* toggle) {
    return toggle->property("linkOpen").toBool();
}

QWidget* MakeOkCancel(CPageView* page) {
    auto* box = new QDialogButtonBox(page);
    QPushButton* ok = box->addButton(QCoreApplication::translate("CLinkPage", "确定"),
                                     QDialogButtonBox::AcceptRole);
    QPushButton* cancel = box->addButton(QCoreApplication::translate("CLinkPage", "取消"),
                                         QDialogButtonBox::RejectRole);
    ok->setObjectName("1003");
    cancel->setObjectName("1005");
    QObject::connect(box, &QDialogButtonBox::accepted, page, &CPageView::CloseFrame);
    QObject::connect(box, &QDialogButtonBox::rejected, page, &CPageView::CloseFrame);
    return box;
}

}  // namespace linkpage
