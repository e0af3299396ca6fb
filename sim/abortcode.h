#pragma once
// SDO abort codes of CiA 301, with the standard's wording.
#include <cstdint>

namespace vsim {

enum AbortCode : uint32_t {
    kAbortNone = 0,
    kAbortToggleBit = 0x05030000,    // toggle bit not alternated
    kAbortTimeout = 0x05040000,      // SDO protocol timed out
    kAbortCommand = 0x05040001,      // client/server command specifier not valid
    kAbortUnsupported = 0x06010000,  // unsupported access to an object
    kAbortReadOnly = 0x06010002,     // attempt to write a read only object
    kAbortNoObject = 0x06020000,     // object does not exist in the dictionary
    kAbortLength = 0x06070010,       // length of service parameter does not match
    kAbortNoSubIndex = 0x06090011,   // sub-index does not exist
    kAbortValueRange = 0x06090030,   // value range of parameter exceeded
    kAbortValueHigh = 0x06090031,    // value of parameter written too high
    kAbortValueLow = 0x06090032,     // value of parameter written too low
    kAbortCannotStore = 0x08000020,  // data cannot be transferred or stored
    kAbortDeviceState = 0x08000022,  // ... because of the present device state
};

}  // namespace vsim
