#pragma once
// SDO abort codes of CiA 301 with the standard's meaning: the tool tip of a refused cell and
// the messages of veltoctl read from this one table.
#include <QString>
#include <cstdint>

namespace abortcodes {

// The meaning of a standard abort code; null for a code the standard does not define.
const char* Meaning(std::uint32_t code);

// "abort 0x06090030: value range of parameter exceeded"; without the meaning for an unknown code.
QString Describe(std::uint32_t code);

}  // namespace abortcodes
