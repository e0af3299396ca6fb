#pragma once
// The program's folders under its base folder, formed once before anything reads them (the
// dictionary loader starts at once and must never see them change).
#include <QString>
#include <cstdint>

struct CFolders {
    explicit CFolders(const QString& base, std::uint8_t dictionaryLanguage = 0);
    QString baseFolder;          // no trailing slash
    QString userFolder;          // base + "/user/"
    QString settingsPath;        // base + "/sys/sys.ini"
    QString englishLibraryPath;  // base + "/data/" + English catalog
    QString databasePath;        // base + "/data/velto.dat"
    // Language the dictionary is loaded in when the caller chooses it (1 Chinese, 2 English);
    // 0 lets the settings file and the system locale decide.
    std::uint8_t forcedLanguage = 0;
    QString DataFolder() const { return baseFolder + "/data/"; }
    QString SysFolder() const { return baseFolder + "/sys/"; }
};
