#pragma once
// The values the drive's objects hold now, kept within each object's type.
#include <QByteArray>
#include <cstdint>
#include <functional>
#include <unordered_map>

#include "objecttable.h"

namespace vsim {

class CObjectValues {
public:
    explicit CObjectValues(const CObjectTable& table);

    const CObjectTable& Table() const { return table_; }
    bool Has(uint32_t key) const { return values_.count(key) != 0; }
    int64_t Get(uint32_t key) const;
    // Stores v wrapped into the object's type; unknown keys are ignored.
    void Set(uint32_t key, int64_t v);
    // Puts the table's default back into every object that pred selects.
    void RestoreDefaults(const std::function<bool(const SimObject&)>& pred);

private:
    const CObjectTable& table_;
    std::unordered_map<uint32_t, int64_t> values_;
};

// v wrapped into the range of an integer of the given width and signedness.
int64_t WrapToType(int64_t v, int width, bool isSigned);

}  // namespace vsim
