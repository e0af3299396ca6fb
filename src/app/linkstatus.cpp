#include "app/linkstatus.h"

#include <QCoreApplication>

#include "app/global.h"
#include "comm/canrates.h"
#include "comm/comm.h"
#include "comm/linksettings.h"
#include "platform/msgbox.h"
#include "platform/profile.h"
#include "resources/bitmaps.h"

using namespace platform;
using namespace resources;

namespace {
const char* const kOfflineText = "The connecting mode is Offline!!";
}

CLinkStatus::CLinkStatus(CGlobal& global, LinkStatusHost& host) : global_(global), host_(host) {
    recovery_.setInterval(kReconnectMs);
    QObject::connect(&recovery_, &QTimer::timeout, [this] { AttemptReconnect(); });
}

QString CLinkStatus::ReconnectingText() {
    return QCoreApplication::translate("CLinkStatus", "通信状态: 正在重新连接...");
}

void CLinkStatus::OnConnectToggle() {
    if (recovering_) {
        // The user's toggle ends the attempts, also one that still waits for the drive.
        StopRecovery();
        global_.awaitingDrive = 0;
        global_.online = 2;
        OnLinkState(0);
        return;
    }
    if (global_.awaitingDrive.load() == 1)
        return;
    if (global_.online.load() == 1) {
        global_.online = 2;
        OnLinkState(0);
        return;
    }
    if (Reconnect(false)) {
        global_.online = 1;
        global_.awaitingDrive = 1;
    } else {
        global_.link.Close();
        global_.online = 2;
        OnLinkState(0);
    }
}

bool CLinkStatus::Reconnect(bool quiet) {
    switch (global_.commMode) {
        case CComm::Serial:
            return ReconnectSerial(quiet);
        case CComm::Can:
            return ReconnectCan(quiet);
        default:
            if (!quiet)
                MessageBox(QString::fromLatin1(kOfflineText));
            return false;
    }
}

bool CLinkStatus::ReconnectSerial(bool quiet) {
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
        if (!quiet)
            MessageBox(QStringLiteral("open COM port failure! comm setting might wrong! \n"));
        return false;
    }
    global_.statusText =
        QString::asprintf("Comm Status: Open  %s  %d", path.constData(), settings.rate);
    if (!quiet)
        host_.SetToolBarImages(IDB_TOOLBAR_OPEN);
    return true;
}

bool CLinkStatus::ReconnectCan(bool quiet) {
    if (global_.link.SetLinkKind(CComm::Can) == 0) {
        if (quiet)
            return false;  // the mode stays: the next attempt may find the module again
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
        if (!quiet)
            MessageBox(QStringLiteral("open CAN port failure! comm setting might wrong! \n"));
        return false;
    }
    // All nine rates have their text, 10 and 5 KBit/s included.
    global_.statusText = QStringLiteral("Comm Status: ") + canrates::StatusText(settings.rate);
    if (!quiet)
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
    host_.ShowValuesLive(false);
}

void CLinkStatus::OnLinkState(int state) {
    // The worker reports a failure while the link is open; every close of the user's (toggle,
    // link page, mode page) sets online to 2 before it reports.
    const bool lost = state == 0 && global_.online.load() == 1;
    const bool confirmed = faultState_ != -1;
    if (recovering_) {
        if (lost) {
            AttemptFailed();
            return;
        }
        StopRecovery();             // confirmed, or closed by the user
        global_.awaitingDrive = 0;  // an attempt's wait is nobody's "Not Find Driver!"
    }
    if (state == 1) {
        global_.online = 1;
        host_.SetLinkText(global_.statusText);
        host_.ShowValuesLive(true);
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
    // Only a link the drive had answered is reopened: wrong settings are the user's to mend.
    if (lost && confirmed && RecoveryEnabled())
        StartRecovery();
}

void CLinkStatus::OnLinkOpened() {
    if (recovering_) {
        StopRecovery();  // the user opened the link from a link page
        host_.SetLinkText(QString::fromLatin1(kClosedText));
    }
    host_.SetToolBarImages(IDB_TOOLBAR_OPEN);
}

bool CLinkStatus::RecoveryEnabled() const {
    return GetProfileInt(global_.settingsPath, "sys", "reconnect", 1) != 0;
}

void CLinkStatus::StartRecovery() {
    recovering_ = true;
    global_.reconnecting = 1;
    recoveryMode_ = global_.commMode;
    recovery_.start();
}

void CLinkStatus::StopRecovery() {
    recovering_ = false;
    global_.reconnecting = 0;
    recovery_.stop();
}

void CLinkStatus::AttemptReconnect() {
    if (global_.commMode != recoveryMode_) {  // the user chose another mode meanwhile
        StopRecovery();
        global_.awaitingDrive = 0;
        global_.online = 2;
        OnLinkState(0);
        return;
    }
    if (global_.online.load() == 1)
        return;  // the last attempt still waits for the drive
    host_.SetLinkText(ReconnectingText());
    if (Reconnect(true)) {
        global_.online = 1;
        global_.awaitingDrive = 1;
    } else {
        global_.link.Close();
    }
}

// The link opened but the drive stayed silent: closed again until the next attempt. The link
// pages are not brought up every time; they show the link state when painted.
void CLinkStatus::AttemptFailed() {
    global_.awaitingDrive = 0;
    faultState_ = -1;
    global_.online = 2;
    global_.link.Close();
    host_.SetToolBarImages(IDB_TOOLBAR_CLOSED);
}

void CLinkStatus::OnTimer() {
    if (global_.online.load() != 1 || recovering_) {
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
