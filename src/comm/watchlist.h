#pragma once
// The control link's watched objects: appended at the tail, switched on and off, never
// removed. Each poll kind walks the list with its own cursor. Not guarded: the control link
// holds its lock around every call.
#include <cstdint>

#include "platform/messages.h"

struct CWatch {
    platform::WindowHandle window = 0;
    std::int32_t key = 0;
    std::uint8_t active = 1;
    std::uint8_t kind = 1;  // 1 = read-only live value, 2 = writable live value
    CWatch* next = nullptr;
};

class CWatchList {
public:
    enum AddResult { Duplicate = 0, Added = 1, NoMemory = -1 };

    CWatchList() = default;
    ~CWatchList();
    CWatchList(const CWatchList&) = delete;
    CWatchList& operator=(const CWatchList&) = delete;

    bool Empty() const { return head_ == nullptr; }
    int Add(platform::WindowHandle window, std::int32_t key, std::uint8_t kind);
    // Sets active on every watch of the window; 0 when the list is empty.
    int SetActive(platform::WindowHandle window, std::uint8_t active);
    int ActivateKey(std::int32_t key);
    bool Contains(platform::WindowHandle window, std::int32_t key) const;
    // The next active watch of a kind after that kind's cursor; at the end the cursor goes
    // back to the head and there is none this time.
    bool Next(std::uint8_t kind, CWatch& watch);

private:
    CWatch* head_ = nullptr;
    CWatch* tail_ = nullptr;
    CWatch* cursor_[2] = {nullptr, nullptr};
};
