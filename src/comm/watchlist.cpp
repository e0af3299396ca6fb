#include "comm/watchlist.h"

#include <new>
#include <utility>

CWatchList::~CWatchList() {
    while (head_) delete std::exchange(head_, head_->next);
}

int CWatchList::Add(platform::WindowHandle window, std::int32_t key, std::uint8_t kind) {
    if (Contains(window, key))
        return Duplicate;
    auto* watch = new (std::nothrow) CWatch{window, key, 1, kind, nullptr};
    if (!watch)
        return NoMemory;
    (tail_ ? tail_->next : head_) = watch;
    tail_ = watch;
    return Added;
}

int CWatchList::SetActive(platform::WindowHandle window, std::uint8_t active) {
    if (!head_)
        return 0;
    for (CWatch* w = head_; w; w = w->next)
        if (w->window == window)
            w->active = active;
    return 1;
}

int CWatchList::ActivateKey(std::int32_t key) {
    for (CWatch* w = head_; w; w = w->next) {
        if (w->key == key) {
            w->active = 1;
            return 1;
        }
    }
    return 0;
}

bool CWatchList::Contains(platform::WindowHandle window, std::int32_t key) const {
    for (const CWatch* w = head_; w; w = w->next)
        if (w->window == window && w->key == key)
            return true;
    return false;
}

bool CWatchList::Next(std::uint8_t kind, CWatch& watch) {
    if (kind != 1 && kind != 2)
        return false;
    CWatch*& cursor = cursor_[kind - 1];
    for (CWatch* w = cursor ? cursor : head_; w; w = w->next) {
        if (w->kind == kind && w->active == 1) {
            watch = *w;
            cursor = w->next;
            return true;
        }
    }
    cursor = nullptr;
    return false;
}
