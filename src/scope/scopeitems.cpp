#include "scope/scopeitems.h"

void CScopeItemList::Append(std::uint32_t code, const QString& name) {
    items_.push_back({Size() + 1, code, name});
}

void CScopeItemList::PushFront(std::uint32_t code, const QString& name) {
    const int ordinal = items_.empty() ? 1 : items_.front().ordinal + 1;
    items_.insert(items_.begin(), {ordinal, code, name});
}

int CScopeItemList::Find(std::uint32_t value) const {
    for (int i = 0; i < Size(); ++i)
        if (items_[std::size_t(i)].code == value || items_[std::size_t(i)].code == value + 1)
            return i;
    return -1;
}

int CScopeItemList::FindExact(std::uint32_t value) const {
    for (int i = 0; i < Size(); ++i)
        if (items_[std::size_t(i)].code == value)
            return i;
    return -1;
}

const CScopeItem* ChannelItems::At(int n) const {
    if (n < 0)
        return nullptr;
    if (n < extra->Size())
        return &extra->At(n);
    n -= extra->Size();
    return n < common->Size() ? &common->At(n) : nullptr;
}

int ChannelItems::Find(std::uint32_t value) const {
    int p = extra->Find(value);
    if (p >= 0)
        return p;
    p = common->Find(value);
    return p < 0 ? -1 : extra->Size() + p;
}
