#pragma once
// The dictionary file image of an object table.
#include <string>

#include "datfile.h"
#include "objecttable.h"

namespace veltodata {

// The record of one object: texts in their stored encodings.
DatRecord ToRecord(const ObjectRow& row);
// All records in key order, concatenated.
std::string DictionaryFileImage(const ObjectTable& table);

}  // namespace veltodata
