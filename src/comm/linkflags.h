#pragma once
// The link flags: set by the windows, read by the control link worker while it runs. The
// settings object holds them for the whole run; the control link takes them by reference.
#include <atomic>

#include "platform/messages.h"

struct CLinkFlags {
    std::atomic<int> online{0};  // 1 open, 2 closed by the program, 0 never opened
    std::atomic<int> pollingEnabled{1};
    std::atomic<int> serveHeldQueue{1};
    std::atomic<platform::WindowHandle> priorityWindow{0};
    std::atomic<int> exclusiveMode{0};
    std::atomic<platform::WindowHandle> exclusiveOwner{0};
    std::atomic<int> stopWorker{0};
    std::atomic<int> awaitingDrive{0};
    // Receives link state changes and the values formulas ask for.
    std::atomic<platform::WindowHandle> mainWindow{0};
    // The CAN link wrote [sys] "can" = "1"; it is written back to "0" at the end of the run.
    int canMarked = 0;
};
