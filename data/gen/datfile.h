#pragma once
// The dictionary file: fixed 8,606-byte records, NUL-padded text fields, Chinese in CP936.
#include <cstddef>
#include <string>
#include <vector>

namespace veltodata {

// Field sizes in file order.
inline constexpr std::size_t kIndexSize = 4, kSubSize = 2, kNameSize = 64, kTypeSize = 16,
                             kAccessSize = 8, kHelpSize = 4096, kUnitSize = 256;
inline constexpr std::size_t kRecordSize =
    kIndexSize + kSubSize + 2 * kNameSize + kTypeSize + kAccessSize + 2 * kHelpSize + kUnitSize;
static_assert(kRecordSize == 8606);

// One record with its texts as stored: Chinese fields in CP936, all others ASCII.
struct DatRecord {
    std::string index;  // 4 hex digits
    std::string sub;    // 2 hex digits
    std::string nameZh, nameEn, dataType, access, helpZh, helpEn, unitDefinition;
};

// Throws std::runtime_error when a text does not fit its field (a NUL must remain, except
// for the fixed-width index and sub-index texts).
std::string EncodeRecord(const DatRecord& record);

// Splits a file image into records. A trailing partial record is an error, as is a field
// without its terminating NUL.
std::vector<DatRecord> DecodeFile(const std::string& bytes);

// Human-readable text of the records (Chinese converted to UTF-8), one block per record.
std::string DumpText(const std::vector<DatRecord>& records);

}  // namespace veltodata
