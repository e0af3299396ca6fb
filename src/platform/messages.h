#pragma once
// Window handles and the program's window messages, standing in for the Windows calls.
// A handle names a live message target; a message to a handle whose target is gone is dropped.
#include <atomic>
#include <cstdint>

namespace platform {

using WindowHandle = std::uintptr_t;  // 0 = none
using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

// The program's own message numbers (fixed).
enum : unsigned {
    WM_LINK_VALUE = 1025,
    WM_LINK_PAGE = 1026,
    WM_PAGE_NOTIFY = 1027,
    WM_LINK_STATE = 1028,
    WM_ADD_OBJECT = 1029,
    WM_LINK_SEGMENT = 1030,
    WM_LINK_ABORT = 1031,
    WM_CELL_CHANGED = 1032,
    WM_PLACE_PAGE = 1033,
    WM_BATCH_DONE = 1034,
    WM_LINK_OPENED = 1035,
    WM_IO_FUNCTION = 1124,
};

// The codes of WM_PAGE_NOTIFY (its wParam).
enum PageNotifyCode : unsigned {
    PN_BROUGHT_UP = 0,      // the page's command brought it up (or a project placed it)
    PN_CLOSING = 1,         // its frame is closing
    PN_LINK_CONFIRMED = 2,  // the drive answered a new link, or a batch finished
    PN_PROJECT_SAVING = 3,  // a project is being saved: store the page
    PN_LINK_STATE = 6,      // the link opened or closed (the link pages' icons)
};

// A receiver of window messages. It is bound to the thread that constructs it (the UI thread
// in the program); its handler always runs on that thread.
class MessageTarget {
public:
    MessageTarget();
    virtual ~MessageTarget();
    MessageTarget(const MessageTarget&) = delete;
    MessageTarget& operator=(const MessageTarget&) = delete;

    WindowHandle Handle() const { return handle_; }

    // Called on the target's thread.
    virtual LResult OnMessage(unsigned msg, WParam wParam, LParam lParam) = 0;

private:
    WindowHandle handle_;
};

// True while the handle names a live target.
bool IsWindow(WindowHandle h);

// Runs the target's handler and returns its result. On the target's thread the call is direct;
// from another thread it is marshalled to the target's thread and waits until the handler has
// returned. The wait gives up (returning 0) when `cancel` becomes nonzero, so a worker can end
// while the UI thread no longer serves its event loop. A dead or null handle returns 0.
LResult SendMessage(WindowHandle h, unsigned msg, WParam wParam, LParam lParam,
                    const std::atomic<int>* cancel = nullptr);

// Queues the message for the target's thread and returns at once; false for a dead handle.
bool PostMessage(WindowHandle h, unsigned msg, WParam wParam, LParam lParam);

}  // namespace platform
