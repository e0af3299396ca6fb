#pragma once
// Settings handed to a link component's Open. Plain data: it crosses the module boundary.
#include <cstdint>

struct CommSettings {
    char portName[256] = {};        // serial: device path, UTF-8, NUL-terminated
    char adapter[256] = {};         // CAN: "plugin:interface", e.g. "socketcan:can0"
    std::int32_t driveAddress = 0;  // CAN: drive address
    std::int32_t rate = 0;          // serial: baud rate; CAN: PCAN bit-rate code
    std::int32_t waitMs = 500;      // reply wait
    std::int32_t reserved = 0;
};
