#include "support/sdo_record.h"

#include "platform/codepage.h"

namespace {
// Field sizes in file order; written out independently of the loader's own table.
void Put(QByteArray& record, const QString& text, int size) {
    QByteArray bytes = platform::UnicodeToCp936(text).left(size);
    bytes.append(QByteArray(size - bytes.size(), '\0'));
    record.append(bytes);
}
}  // namespace

QByteArray SdoRecord(const QString& indexHex, const QString& subHex, const QString& nameZh,
                     const QString& nameEn, const QString& type, const QString& access,
                     const QString& helpZh, const QString& helpEn, const QString& unitDef) {
    QByteArray record;
    Put(record, indexHex, 4);
    Put(record, subHex, 2);
    Put(record, nameZh, 64);
    Put(record, nameEn, 64);
    Put(record, type, 16);
    Put(record, access, 8);
    Put(record, helpZh, 4096);
    Put(record, helpEn, 4096);
    Put(record, unitDef, 256);
    return record;
}
