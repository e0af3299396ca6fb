#pragma once
// What the SDO server needs from the drive: descriptions, reads and writes of objects.
#include <QByteArray>
#include <cstdint>

#include "objecttable.h"

namespace vsim {

struct ObjectValue {
    bool isBytes = false;  // served by segmented upload
    int64_t number = 0;
    QByteArray bytes;
};

class IObjectAccess {
public:
    virtual ~IObjectAccess() = default;
    virtual const SimObject* Describe(uint32_t key) const = 0;
    virtual bool IndexExists(uint16_t index) const = 0;
    // Returns 0 or an abort code.
    virtual uint32_t Read(uint32_t key, ObjectValue& out) = 0;
    // value is already checked against the object's type and range; stored is what the
    // object holds afterwards (the download reply carries it). Returns 0 or an abort code.
    virtual uint32_t Write(uint32_t key, int64_t value, int64_t& stored) = 0;
};

}  // namespace vsim
