#pragma once
// Section/key/value settings files with the semantics of the Windows profile-string calls:
// section and key names compare case-insensitively, a missing file, section or key reads as
// the default, a value is cut to the caller's buffer size (bufferSize - 1 characters), and a
// write creates the file, section and key as needed. UTF-8 and UTF-16LE files (with or without
// byte-order mark) are read; files are written as UTF-8.
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace platform {

// GetPrivateProfileString: the value (or `def`) cut to bufferSize - 1 characters.
QString GetProfileString(const QString& path, const QString& section, const QString& key,
                         const QString& def = QString(), int bufferSize = 256);

// GetPrivateProfileInt: the leading decimal number of the value, or `def` when the key is
// missing; a value that does not begin with a number gives 0.
int GetProfileInt(const QString& path, const QString& section, const QString& key, int def = 0);

// WritePrivateProfileString; false when the file cannot be written.
bool WriteProfileString(const QString& path, const QString& section, const QString& key,
                        const QString& value);

// Removes a key (WritePrivateProfileString with a null value).
bool DeleteProfileKey(const QString& path, const QString& section, const QString& key);

// Removes a whole section.
bool DeleteProfileSection(const QString& path, const QString& section);

// The keys and values of a section in file order (GetPrivateProfileSection).
std::vector<std::pair<QString, QString>> GetProfileSection(const QString& path,
                                                           const QString& section);

// The section names in file order (GetPrivateProfileSectionNames).
QStringList GetProfileSectionNames(const QString& path);

}  // namespace platform
