#include "app/linkstatus.h"

#include "app/global.h"
#include "comm/canrates.h"
#include "comm/comm.h"
#include "comm/linksettings.h"
#include "platform/msgbox.h"
#include "resources/bitmaps.h"

using namespace platform;
using namespace resources;

namespace {
const char* const kOfflineText = "The connecting mode is Offline!!";
}

CLinkStatus::CLinkStatus(CGlobal& global, LinkStatusHost& host) : global_(global), host_(host) {}

void CLinkStatus::OnConnectToggle() {
    if (global_.awaitingDrive.load() == 1)
        return;
    if (global_.online.load() == 1) {
        global_.online = 2;
        OnLinkState(0);
        return;
    }
    if (Reconnect()) {
        global_.online = 1;
        global_.awaitingDrive = 1;
    } else {
        global_.link.Close();
        global_.online = 2;
        OnLinkState(0);
    }
}

bool CLinkStatus::Reconnect() {
    switch (global_.commMode) {
        case CComm::Serial:
            return ReconnectSerial();
        case CComm::Can:
            return ReconnectCan();
        default:
            MessageBox(QString::fromLatin1(kOfflineText));
            return false;
    }
}

bool CLinkStatus::ReconnectSerial() {
    global_.link.SetLinkKind(CComm::Serial);
    CommSettings settings;
    settings.waitMs = 500;
    QString port;
    if (host_.LinkPageExists(CComm::Serial) && global_.settingsRemembered == 1) {
        global_.link.SetDriveAddress(global_.rememberedAddress);
        settings.rate = global_.rememberedRate;
        port = global_.rememberedPort;
    } else {
        StoredLink stored = ReadStoredLink(global_, CComm::Serial);
        settings.rate = stored.settings.rate;
        global_.link.SetDriveAddress(stored.address);
        port = QString::fromUtf8(stored.settings.portName);  // device paths, not COM names
    }
    QByteArray path = port.toUtf8();
    qstrncpy(settings.portName, path.constData(), sizeof settings.portName);
    if (global_.link.Open(settings) != 0) {
        MessageBox(QStringLiteral("open COM port failure! comm setting might wrong! \n"));
        return false;
    }
    global_.statusText =
        QString::asprintf("Comm Status: Open  %s  %d", path.constData(), settings.rate);
    host_.SetToolBarImages(IDB_TOOLBAR_OPEN);
    return true;
}

bool CLinkStatus::ReconnectCan() {
    if (global_.link.SetLinkKind(CComm::Can) == 0) {
        global_.commMode = CComm::Offline;
        global_.link.SetLinkKind(CComm::Offline);
        MessageBox(QString::fromLatin1(kOfflineText));
        return false;
    }
    // The adapter always comes from the settings; address and rate may be remembered.
    CommSettings settings = ReadStoredLink(global_, CComm::Can).settings;
    if (host_.LinkPageExists(CComm::Can) && global_.settingsRemembered == 1) {
        settings.driveAddress = global_.rememberedAddress;
        settings.rate = global_.rememberedRate;
    }
    global_.link.SetDriveAddress(settings.driveAddress);
    if (global_.link.Open(settings) != 0) {
        MessageBox(QStringLiteral("open CAN port failure! comm setting might wrong! \n"));
        return false;
    }
    // All nine rates have their text, 10 and 5 KBit/s included.
    global_.statusText = QStringLiteral("Comm Status: ") + canrates::StatusText(settings.rate);
    host_.SetToolBarImages(IDB_TOOLBAR_OPEN);
    return true;
}

void CLinkStatus::OnLinkReply(unsigned msg, std::int32_t value, std::int32_t key) {
    if (msg == WM_LINK_VALUE)
        global_.awaitingDrive = 0;
    if (key != kStatusWordKey)
        global_.evaluator.ReferenceReply(msg, value, key);
    else if (msg == WM_LINK_VALUE)
        OnStatusWord(value);
}

void CLinkStatus::OnStatusWord(std::int32_t value) {
    if (faultState_ == -1)
        SendMessage(host_.Window(), WM_LINK_STATE, 1, 0);
    int fault = (value & 8) ? 1 : 0;
    if (faultState_ != fault)
        host_.SetToolBarImages(fault ? IDB_TOOLBAR_FAULT : IDB_TOOLBAR_OPEN);
    faultState_ = fault;
}

void CLinkStatus::LinkDown() {
    faultState_ = -1;
    host_.SetToolBarImages(IDB_TOOLBAR_CLOSED);
    global_.online = 2;
    host_.SetLinkText(QString::fromLatin1(kClosedText));
}

void CLinkStatus::OnLinkState(int state) {
    if (state == 1) {
        global_.online = 1;
        host_.SetLinkText(global_.statusText);
    } else {
        LinkDown();
        global_.link.Close();
    }
    host_.NotifyLinkPages();
    if (global_.awaitingDrive.load() == 1) {
        global_.awaitingDrive = 0;
        MessageBox(QStringLiteral("Not Find Driver! Please Check..."));
    }
    if (state == 1)
        host_.NotifyAllPages(PN_LINK_CONFIRMED);
}

void CLinkStatus::OnLinkOpened() {
    host_.SetToolBarImages(IDB_TOOLBAR_OPEN);
}

void CLinkStatus::OnTimer() {
    if (global_.online.load() != 1) {
        host_.SetToolBarImages(IDB_TOOLBAR_CLOSED);
        global_.evaluator.ClearConsts();
        return;
    }
    blink_ = !blink_;
    if (blink_)
        host_.SetToolBarImages(IDB_TOOLBAR_CLOSED);
    else
        host_.SetToolBarImages(faultState_ == 1 ? IDB_TOOLBAR_FAULT : IDB_TOOLBAR_OPEN);
}
