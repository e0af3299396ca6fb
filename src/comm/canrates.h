#pragma once
// The CAN bit rates the link page offers (PCAN bit-rate codes, BTR0/BTR1) and the adapter
// setting. Widget-free: the link page and the main frame's reconnect share it.
#include <QString>
#include <QStringList>

namespace canrates {

struct Entry {
    const char* text;  // list text, e.g. "500 KBit/s"
    int code;          // PCAN bit-rate code
};

constexpr Entry kRates[] = {
    {"1 MBit/s", 0x0014},   {"500 KBit/s", 0x001C}, {"250 KBit/s", 0x011C},
    {"125 KBit/s", 0x031C}, {"100 KBit/s", 0x432F}, {"50 KBit/s", 0x472F},
    {"20 KBit/s", 0x532F},  {"10 KBit/s", 0x672F},  {"5 KBit/s", 0x7F7F},
};
constexpr int kRateCount = sizeof(kRates) / sizeof(kRates[0]);

// List position of a code (all nine entries), or -1.
int IndexOfCode(int code);

// "Open 500 KBit/s" for a known code, "Closed" otherwise.
QString StatusText(int code);

// Adapters the page offers, "plugin:interface"; the first is the default.
QStringList AdapterChoices();
QString DefaultAdapter();

}  // namespace canrates
