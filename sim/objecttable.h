#pragma once
// The simulated drive's object table: one line per object of data/velto_sim.tsv.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace vsim {

struct SimObject {
    uint32_t key = 0;  // index * 256 + sub-index
    QString typeName;
    int width = 0;  // 8, 16 or 32 bits; 0 for a string
    bool isSigned = false;
    bool isString = false;
    bool writable = false;
    bool live = false;
    int64_t defaultValue = 0;
    int64_t min = 0;
    int64_t max = 0;
    QByteArray text;  // default of a VISIBLE STRING

    uint16_t Index() const { return uint16_t(key >> 8); }
    uint8_t SubIndex() const { return uint8_t(key & 0xFF); }
};

class CObjectTable {
public:
    // Reads the tab-separated table; false with a message naming the line on any fault.
    bool Load(const QString& path, QString* error);
    bool Parse(const QByteArray& content, QString* error);

    const SimObject* Find(uint32_t key) const;
    bool HasIndex(uint16_t index) const;
    const std::vector<SimObject>& Objects() const { return objects_; }
    // Adds or replaces one object (used for objects the drive needs but the table lacks).
    void Put(const SimObject& object);

private:
    bool ParseLine(const QByteArray& line, SimObject& out, QString& why) const;

    std::vector<SimObject> objects_;
    std::unordered_map<uint32_t, size_t> byKey_;
    std::unordered_map<uint16_t, int> indexCount_;
};

// Range of a numeric type of the given width and signedness.
int64_t TypeMin(int width, bool isSigned);
int64_t TypeMax(int width, bool isSigned);

}  // namespace vsim
