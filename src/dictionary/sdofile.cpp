#include "dictionary/sdofile.h"

#include <cstring>

#include "dictionary/numbers.h"
#include "platform/codepage.h"

namespace sdofile {
namespace {

// Reads up to `size` bytes, across short reads; -1 on a read error.
qint64 ReadFull(QIODevice& file, char* data, qint64 size) {
    qint64 total = 0;
    while (total < size) {
        const qint64 n = file.read(data + total, size - total);
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        total += n;
    }
    return total;
}

// The text of a field: up to its first NUL, its end, or the end of the bytes read.
QByteArray FieldBytes(const QByteArray& record, qint64 got, Field f) {
    const qint64 present = std::min<qint64>(f.size, got - f.offset);
    if (present <= 0)
        return QByteArray();
    const char* start = record.constData() + f.offset;
    const char* nul = static_cast<const char*>(std::memchr(start, 0, size_t(present)));
    return QByteArray(start, nul ? nul - start : present);
}

QString FieldText(const QByteArray& record, qint64 got, Field f) {
    return platform::Cp936ToUnicode(FieldBytes(record, got, f));
}

}  // namespace

ReadResult ReadRecord(QIODevice& file, bool chinese, CSdoInfo& entry) {
    QByteArray record(kRecordSize, '\0');
    const qint64 got = ReadFull(file, record.data(), kRecordSize);
    if (got < 0)
        return ReadResult::Error;
    if (got == 0)
        return ReadResult::End;
    const int index = CNumbers::ParseHex(QString::fromLatin1(FieldBytes(record, got, kIndex)));
    if (index == 0)
        return ReadResult::End;
    if (got <= kUnit.offset)
        return ReadResult::End;  // cut before its unit definition

    const int sub = CNumbers::ParseHex(QString::fromLatin1(FieldBytes(record, got, kSubIndex)));
    entry.index = index;
    entry.subIndex = static_cast<std::uint8_t>(sub & 0xFF);
    entry.key = index * 256 + entry.subIndex;
    entry.name = FieldText(record, got, chinese ? kNameZh : kNameEn);
    entry.dataType = FieldText(record, got, kDataType);
    entry.attribute = FieldText(record, got, kAttribute);
    entry.help = FieldText(record, got, chinese ? kHelpZh : kHelpEn);
    entry.unitDefinition = FieldText(record, got, kUnit);
    return ReadResult::Entry;
}

}  // namespace sdofile
