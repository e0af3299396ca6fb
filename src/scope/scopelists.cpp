#include "scope/scopelists.h"

#include <QFile>

#include "app/global.h"
#include "platform/profile_document.h"

namespace scopelists {
namespace {
constexpr int kValueBuffer = 32;
// Keys are consecutive from 1; a list never holds more objects than the dictionary could.
constexpr int kMaxEntries = 65536;
}  // namespace

QString SettingsPath(const QString& sysFolder) {
    return sysFolder + QStringLiteral("Oscilloscope.ini");
}

std::vector<std::int32_t> ParseList(const QByteArray& bytes, const QString& section) {
    const auto doc = platform::profile::Document::FromBytes(bytes);
    std::vector<std::int32_t> keys;
    for (int i = 1; i <= kMaxEntries; ++i) {
        const auto* entry = doc.Find(section, QString::number(i));
        const int key = entry ? CGlobal::ParseHex(entry->value.left(kValueBuffer - 1)) : 0;
        if (key == 0)
            break;
        keys.push_back(key);
    }
    return keys;
}

std::vector<std::int32_t> ReadList(const QString& path, const QString& section) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ParseList(file.readAll(), section);
}

}  // namespace scopelists
