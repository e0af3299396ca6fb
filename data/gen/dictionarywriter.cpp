#include "dictionarywriter.h"

#include <cstdio>

#include "cp936.h"

namespace veltodata {

DatRecord ToRecord(const ObjectRow& row) {
    char index[8], sub[4];
    std::snprintf(index, sizeof index, "%04X", row.index);
    std::snprintf(sub, sizeof sub, "%02X", row.sub);
    DatRecord r;
    r.index = index;
    r.sub = sub;
    r.nameZh = Utf8ToCp936(row.nameZh);
    r.nameEn = row.nameEn;
    r.dataType = row.dataType;
    r.access = row.access;
    r.helpZh = Utf8ToCp936(row.helpZh);
    r.helpEn = row.helpEn;
    r.unitDefinition = row.unitDefinition;
    return r;
}

std::string DictionaryFileImage(const ObjectTable& table) {
    std::string image;
    image.reserve(table.Rows().size() * kRecordSize);
    for (const ObjectRow& row : table.Rows()) {
        image += EncodeRecord(ToRecord(row));
    }
    return image;
}

}  // namespace veltodata
