#pragma once
// The database file's record: fixed 8,606 bytes, no header or trailer, NUL-padded multibyte
// text fields in code page 936.
#include <QIODevice>

#include "dictionary/sdoinfo.h"

namespace sdofile {

struct Field {
    int offset;
    int size;
};
inline constexpr Field kIndex{0, 4};
inline constexpr Field kSubIndex{4, 2};
inline constexpr Field kNameZh{6, 64};
inline constexpr Field kNameEn{70, 64};
inline constexpr Field kDataType{134, 16};
inline constexpr Field kAttribute{150, 8};
inline constexpr Field kHelpZh{158, 4096};
inline constexpr Field kHelpEn{4254, 4096};
inline constexpr Field kUnit{8350, 256};
inline constexpr int kRecordSize = 8606;

enum class ReadResult {
    Entry,  // `entry` holds the next record
    End,    // end of data: end of file, a record cut before its last field, or index 0
    Error,  // the file could not be read
};

// Reads the next record; `chinese` picks the Chinese name and help, else the English ones.
// A last field that is only partly present is taken as far as it goes.
ReadResult ReadRecord(QIODevice& file, bool chinese, CSdoInfo& entry);

}  // namespace sdofile
