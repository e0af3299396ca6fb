#include "platform/folders.h"

CFolders::CFolders(const QString& base, std::uint8_t dictionaryLanguage)
    : baseFolder(base),
      userFolder(base + "/user/"),
      settingsPath(base + "/sys/sys.ini"),
      englishLibraryPath(base + "/data/EN.qm"),
      databasePath(base + "/data/velto.dat"),
      forcedLanguage(dictionaryLanguage) {}
