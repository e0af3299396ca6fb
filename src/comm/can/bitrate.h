#pragma once
// PEAK's BTR0/BTR1 bit-rate codes, as the CAN link settings store them.
#include <cstdint>

// Bits per second, or 0 for a code outside the table.
inline int PcanBitRate(int code) {
    switch (code) {
        case 0x0014:
            return 1000000;
        case 0x001C:
            return 500000;
        case 0x011C:
            return 250000;
        case 0x031C:
            return 125000;
        case 0x432F:
            return 100000;
        case 0x472F:
            return 50000;
        case 0x532F:
            return 20000;
        case 0x672F:
            return 10000;
        case 0x7F7F:
            return 5000;
        default:
            return 0;
    }
}
