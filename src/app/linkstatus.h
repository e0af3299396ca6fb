#pragma once
// The main window's link duties: the connect toggle and reconnect, the drive's status word
// with its fault display, link state changes, the status-line text and the blink timer; and
// the reopening of a link that was lost while the user did not close it.
#include <QString>
#include <QTimer>
#include <cstdint>

#include "platform/messages.h"

class CGlobal;

// What the link status needs from the main window.
class LinkStatusHost {
public:
    virtual ~LinkStatusHost() = default;
    virtual void SetToolBarImages(int setId) = 0;       // 205 closed, 211 open, 210 fault
    virtual void SetLinkText(const QString& text) = 0;  // the status line's link pane
    virtual bool LinkPageExists(int mode) const = 0;    // CComm::Serial or CComm::Can
    virtual void NotifyLinkPages() = 0;                 // bring up and send PN_LINK_STATE
    virtual void NotifyAllPages(int code) = 0;
    virtual platform::WindowHandle Window() const = 0;
    // The pages' value cells show live values (true) or greyed old ones (false).
    virtual void ShowValuesLive(bool) {}
};

class CLinkStatus {
public:
    static constexpr const char* kClosedText = "Comm Status: Closed";
    static constexpr int kReconnectMs = 2000;
    // "Comm Status: Reconnecting..." in the interface language.
    static QString ReconnectingText();

    CLinkStatus(CGlobal& global, LinkStatusHost& host);

    void OnConnectToggle();  // tool-bar command 1128
    // WM_LINK_VALUE and WM_LINK_ABORT: the status word, or an object a formula asked for.
    void OnLinkReply(unsigned msg, std::int32_t value, std::int32_t key);
    void OnLinkState(int state);  // WM_LINK_STATE
    void OnLinkOpened();          // WM_LINK_OPENED
    void OnTimer();               // timer 1, every 1200 ms

    int faultState() const { return faultState_; }
    bool Reconnecting() const { return recovering_; }
    QTimer& reconnectTimer() { return recovery_; }

private:
    void OnStatusWord(std::int32_t value);
    // Reopens the link with the remembered or stored settings; quiet: no message boxes and
    // no tool-bar change (the attempts of a lost link).
    bool Reconnect(bool quiet);
    bool ReconnectSerial(bool quiet);
    bool ReconnectCan(bool quiet);
    void LinkDown();

    bool RecoveryEnabled() const;
    void StartRecovery();
    void StopRecovery();
    void AttemptReconnect();
    void AttemptFailed();

    CGlobal& global_;
    LinkStatusHost& host_;
    int faultState_ = -1;  // -1 not confirmed, 0 no fault, 1 fault
    bool blink_ = false;
    bool recovering_ = false;
    int recoveryMode_ = 0;  // the communication mode of the lost link
    QTimer recovery_;
};
