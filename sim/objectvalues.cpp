#include "objectvalues.h"

namespace vsim {

int64_t WrapToType(int64_t v, int width, bool isSigned) {
    if (width <= 0 || width >= 64)
        return v;
    const uint64_t mask = (uint64_t(1) << width) - 1;
    uint64_t raw = uint64_t(v) & mask;
    if (isSigned && (raw >> (width - 1)))
        return int64_t(raw) - int64_t(mask) - 1;
    return int64_t(raw);
}

CObjectValues::CObjectValues(const CObjectTable& table) : table_(table) {
    RestoreDefaults([](const SimObject&) { return true; });
}

int64_t CObjectValues::Get(uint32_t key) const {
    auto it = values_.find(key);
    return it == values_.end() ? 0 : it->second;
}

void CObjectValues::Set(uint32_t key, int64_t v) {
    auto it = values_.find(key);
    if (it == values_.end())
        return;
    const SimObject* o = table_.Find(key);
    it->second = WrapToType(v, o->width, o->isSigned);
}

void CObjectValues::RestoreDefaults(const std::function<bool(const SimObject&)>& pred) {
    for (const SimObject& o : table_.Objects())
        if (!o.isString && pred(o))
            values_[o.key] = o.defaultValue;
}

}  // namespace vsim
