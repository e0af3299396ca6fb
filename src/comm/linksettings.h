#pragma once
// The link settings the reconnect takes from the settings file, and the status texts that
// name an open link. Shared by the main window and the command-line tool.
#include <QString>

#include "comm/commsettings.h"

class CGlobal;

// The nine PCAN bit-rate codes of the CAN link page, in list order.
constexpr int kCanBitRateCodes[9] = {0x0014, 0x001C, 0x011C, 0x031C, 0x432F,
                                     0x472F, 0x532F, 0x672F, 0x7F7F};

// "1 MBit/s" ... "5 KBit/s" for a known code, empty otherwise.
QString CanBitRateText(int code);

// The list position of a code, or -1.
int CanBitRateIndex(int code);

// "Open 1 MBit/s" ... for a known code, "Closed" otherwise.
QString CanStatusWord(int code);

// "Comm Status: Open  <port>  <rate>" for a serial link.
QString SerialStatusText(const QString& port, int rate);

// "Comm Status: Open <rate>" for a CAN link.
QString CanStatusText(int code);

// Default adapter when the settings name none.
constexpr const char* kDefaultCanAdapter = "socketcan:can0";

struct StoredLink {
    int kind = 0;  // 2 serial, 5 CAN
    int address = 0;
    CommSettings settings;
};

// Settings of the given mode from [com] or [can]: rate, drive address, port or adapter.
StoredLink ReadStoredLink(const CGlobal& global, int commMode);

// Copies text into a fixed NUL-terminated buffer, cut to fit.
void CopyToBuffer(char* buffer, int size, const QString& text);
