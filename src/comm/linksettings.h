#pragma once
// The link settings the reconnect takes from the settings file. Shared by the main window and
// the command-line tool.
#include <QString>

#include "comm/commsettings.h"

struct CFolders;

struct StoredLink {
    int kind = 0;  // CComm::Serial or CComm::Can; 0 for any other mode
    int address = 0;
    CommSettings settings;
};

// Settings of the given mode from [com] or [can]: rate, drive address, port or adapter.
StoredLink ReadStoredLink(const CFolders& folders, int commMode);

// Copies text into a fixed NUL-terminated buffer, cut to fit.
void CopyToBuffer(char* buffer, int size, const QString& text);
