#pragma once
// The link settings the reconnect takes from the settings file. Shared by the main window and
// the command-line tool.
#include <QString>

#include "comm/commsettings.h"

class CGlobal;

struct StoredLink {
    int kind = 0;  // 2 serial, 5 CAN; 0 for any other mode
    int address = 0;
    CommSettings settings;
};

// Settings of the given mode from [com] or [can]: rate, drive address, port or adapter.
StoredLink ReadStoredLink(const CGlobal& global, int commMode);

// Copies text into a fixed NUL-terminated buffer, cut to fit.
void CopyToBuffer(char* buffer, int size, const QString& text);
