#pragma once
// The scope settings file (sys/Oscilloscope.ini): sections "trigger" and "channel" list the
// objects offered as trigger sources and channel signals, keys "1", "2", ... holding object
// keys in hexadecimal. A section ends at the first key whose value parses to 0.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace scopelists {

// The file's path under the base folder's sys/ folder.
QString SettingsPath(const QString& sysFolder);

std::vector<std::int32_t> ReadList(const QString& path, const QString& section);
// The same for the file's bytes.
std::vector<std::int32_t> ParseList(const QByteArray& bytes, const QString& section);

}  // namespace scopelists
