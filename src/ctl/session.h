#pragma once
// One veltoctl run against a drive: the program's own settings object, link and worker, with
// this object standing in for the main window and the page that asks.
#include <QByteArray>
#include <QString>
#include <deque>
#include <functional>

#include "app/global.h"
#include "ctl/options.h"
#include "platform/messages.h"

// A value that does not decode ends like a missing answer: the caller has no value either way.
enum CtlExit {
    kExitOk = 0,
    kExitUsage = 1,
    kExitRefused = 2,
    kExitNoLink = 3,
    kExitUndecodable = 3
};

struct LinkReply {
    unsigned msg = 0;
    platform::WParam wParam = 0;
    platform::LParam lParam = 0;
    QByteArray segment;  // WM_LINK_SEGMENT: the segment's data bytes, taken while the worker waits
};

class CtlSession : public platform::MessageTarget {
public:
    explicit CtlSession(const CtlOptions& options);
    ~CtlSession() override;

    CGlobal& Global() { return global_; }

    // Waits for the dictionary; false (with a message on stderr) when it stays empty.
    bool LoadDictionary();

    // Opens the link from the options or the settings file; kExitOk or kExitNoLink.
    int OpenLink(QString& error);

    // Queues a request for this session and waits for its outcome for `key`.
    // Returns false when the link went down or nothing came within the wait.
    bool Exchange(std::uint8_t command, std::int32_t key, std::int32_t data, LinkReply& reply);

    // Waits for a reply about `key` to arrive (after a request queued elsewhere).
    bool WaitForKey(std::int32_t key, LinkReply& reply, int timeoutMs = 6000);

    // Waits for the next reply about any object (value or refusal).
    bool NextReply(LinkReply& reply, int timeoutMs);

    bool LinkDown() const { return linkDown_; }
    // "drive 1 on /dev/ttyUSB0": whom the link addresses (set by OpenLink).
    QString DriveText() const { return driveText_; }
    // After an expected silence (a restarting drive) the link is tried again.
    void ClearLinkDown() { linkDown_ = false; }

    platform::LResult OnMessage(unsigned msg, platform::WParam w, platform::LParam l) override;

private:
    void HandleReference(const LinkReply& reply);

    CtlOptions options_;
    CGlobal global_;
    std::deque<LinkReply> replies_;
    bool linkDown_ = false;
    QString driveText_;
};
