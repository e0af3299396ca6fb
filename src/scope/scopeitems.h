#pragma once
// The selectable objects of the channel and trigger drop-downs. Items added later (picked from
// the browser or found only in the drive) go to the head of their list; the settings file's
// items are appended in file order.
#include <QString>
#include <cstdint>
#include <vector>

struct CScopeItem {
    int ordinal = 0;
    std::uint32_t code = 0;  // item code (trigger items: bit 0 cleared)
    QString name;
};

class CScopeItemList {
public:
    // Ordinals 1, 2, 3 in order of addition.
    void Append(std::uint32_t code, const QString& name);
    // The new head's ordinal is the previous head's + 1, so the head's ordinal is the length.
    void PushFront(std::uint32_t code, const QString& name);
    // Position of the item whose code is `value` or `value` + 1 (with or without the signed bit);
    // -1 when none.
    int Find(std::uint32_t value) const;
    // Position of the item whose code is exactly `value`; -1 when none.
    int FindExact(std::uint32_t value) const;

    int Size() const { return int(items_.size()); }
    bool Empty() const { return items_.empty(); }
    const CScopeItem& At(int position) const { return items_[std::size_t(position)]; }
    void Clear() { items_.clear(); }

private:
    std::vector<CScopeItem> items_;  // head first
};

// A channel's drop-down shows its own extra items on top of the common ones.
struct ChannelItems {
    const CScopeItemList* extra;
    const CScopeItemList* common;

    int Count() const { return extra->Size() + common->Size(); }
    // The item at drop-down position n, or null.
    const CScopeItem* At(int n) const;
    // Drop-down position of an item matching `value` (see CScopeItemList::Find), or -1.
    int Find(std::uint32_t value) const;
};
