#include "records_fuzz.h"

#include <QBuffer>
#include <QList>

#include "dictionary/entrydescription.h"
#include "dictionary/sdofile.h"
#include "dictionary/sdounit.h"

namespace {

// A broken rule is a finding: libFuzzer reports the trap with the input that caused it.
void Check(bool rule) {
    if (!rule)
        __builtin_trap();
}

}  // namespace

// Every record the reader yields, in both languages, through what the loader, the pages and
// the browser do with an entry.
int FuzzRecords(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    for (bool chinese : {true, false}) {
        QBuffer file(&bytes);
        file.open(QIODevice::ReadOnly);
        CSdoInfo entry;
        std::size_t records = 0;
        while (sdofile::ReadRecord(file, chinese, entry) == sdofile::ReadResult::Entry) {
            ++records;
            Check(records <= size / sdofile::kUnit.offset);  // no record without its bytes
            Check(entry.index != 0 && entry.index >= -0xFFF && entry.index <= 0xFFFF);
            Check(entry.key == entry.index * 256 + entry.subIndex);
            DescribeEntry(entry);
            QList<CCellUnit> cells;
            Check(ParseUnitDefinition(entry.unitDefinition, cells) == cells.size());
        }
    }
    return 0;
}
