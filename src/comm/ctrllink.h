#pragma once
// The control link: one worker thread carries all drive traffic, one exchange at a time, and
// polls watched objects while idle. Outcomes reach windows as messages sent synchronously.
#include <cstdint>

#include "comm/commsettings.h"
#include "comm/linkflags.h"
#include "platform/messages.h"

struct CFolders;
class CProtocol;

// One queued request.
struct CScopeTempList {
    platform::WindowHandle window = 0;
    std::int32_t key = 0;
    std::int32_t data = 0;
    std::uint8_t command = 0;
};

class CCtrlLink {
public:
    // Starts the worker thread. The link components are loaded from the data folder; the flags
    // and the folders must outlive the link.
    CCtrlLink(CLinkFlags& flags, const CFolders& folders);
    ~CCtrlLink();  // stops and joins the worker
    CCtrlLink(const CCtrlLink&) = delete;
    CCtrlLink& operator=(const CCtrlLink&) = delete;

    // UI thread.
    int Request(platform::WindowHandle window, std::uint8_t command, std::int32_t key,
                std::int32_t data);
    int AddWatch(platform::WindowHandle window, std::int32_t key, std::uint8_t kind);
    int ActivateWatches(platform::WindowHandle window);
    int DeactivateWatches(platform::WindowHandle window);
    int ActivateWatchKey(std::int32_t key);
    int FindWatch(platform::WindowHandle window, std::int32_t key);
    int HeldQueueEmpty();

    // Forwarded to the protocol and the link component.
    int Open(const CommSettings& settings);
    void Close();
    void SetDriveAddress(int address);
    int GetVersion(char* buffer256);
    void GetSegment(const std::uint8_t*& data, std::uint8_t& count);
    bool SegmentIsLast();
    std::int64_t AnnouncedSize();
    int SetLinkKind(int kind);

    // The protocol (its retryOnSendFailure flag, and the component seam of the tests).
    CProtocol& Protocol();

private:
    struct Impl;
    Impl* impl_;
};
