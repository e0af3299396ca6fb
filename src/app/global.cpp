#include "app/global.h"

#include <QDir>
#include <cstdlib>

#include "platform/profile.h"

namespace {
std::atomic<CGlobal*> g_instance{nullptr};

// The C library's decimal conversion (atoi): leading blanks, a sign, digits; else 0.
long CDecimal(const QString& text) {
    return std::strtol(text.toLatin1().constData(), nullptr, 10);
}

// Digits of `base` (10 or 16) accumulate left to right; every other character is skipped.
// Arithmetic wraps like the 32-bit original instead of overflowing.
int ParseDigits(const QString& text, unsigned base) {
    if (text.isEmpty())
        return 0;
    QString t = text;
    const bool negative = t.startsWith(u'-');
    if (negative)
        t.remove(0, 1);
    t = t.toUpper();
    std::uint32_t value = 0;
    for (QChar c : t) {
        unsigned digit;
        if (c >= u'0' && c <= u'9')
            digit = c.unicode() - u'0';
        else if (base == 16 && c >= u'A' && c <= u'F')
            digit = c.unicode() - u'A' + 10;
        else
            continue;
        value = value * base + digit;
    }
    return static_cast<int>(negative ? 0u - value : value);
}
}  // namespace

CFolders::CFolders(const QString& base, std::uint8_t dictionaryLanguage)
    : baseFolder(base),
      userFolder(base + "/user/"),
      settingsPath(base + "/sys/sys.ini"),
      englishLibraryPath(base + "/data/EN.qm"),
      databasePath(base + "/data/velto.dat"),
      forcedLanguage(dictionaryLanguage) {}

CGlobal::CGlobal() : CGlobal(QDir::currentPath()) {}

CGlobal::CGlobal(const QString& baseFolder) : CGlobal(baseFolder, 0) {}

CGlobal::CGlobal(const QString& baseFolder, std::uint8_t dictionaryLanguage)
    : CFolders(baseFolder, dictionaryLanguage),
      dictionary(*this),
      evaluator(*this),
      link(*this),
      units(*this) {
    Construct();
}

void CGlobal::Construct() {
    g_instance.store(this);
    ReadLanguage();
    ReadCommMode();
}

CGlobal::~CGlobal() {
    if (canMarked)
        platform::WriteProfileString(settingsPath, "sys", "can", "0");
    CGlobal* self = this;
    g_instance.compare_exchange_strong(self, nullptr);
}

CGlobal* CGlobal::Instance() {
    return g_instance.load();
}

std::uint8_t CGlobal::ReadLanguage() {
    const QString text = platform::GetProfileString(settingsPath, "sys", "lang", QString(), 4);
    const auto value = static_cast<std::uint8_t>(CDecimal(text));
    language.store(value);
    return value;
}

void CGlobal::ReadCommMode() {
    const QString text = platform::GetProfileString(settingsPath, "sys", "comm", QString(), 4);
    commMode = static_cast<std::uint8_t>(CDecimal(text));
}

int CGlobal::ParseDecimal(const QString& text) {
    return ParseDigits(text, 10);
}

int CGlobal::ParseHex(const QString& text) {
    return ParseDigits(text, 16);
}

int CGlobal::DataTypeWidth(const QString& typeName) {
    return ParseDecimal(typeName);
}

std::uint8_t CGlobal::SdoDownloadCommand(const QString& typeName) {
    switch (DataTypeWidth(typeName)) {
        case 8:
            return 0x2F;
        case 16:
            return 0x2B;
        case 32:
            return 0x23;
        default:
            return 0;
    }
}

int CGlobal::RawToNumber(const QString& typeName, std::uint32_t raw, double& value) {
    if (typeName.isEmpty())
        return 0;
    const int width = DataTypeWidth(typeName);
    if (width != 8 && width != 16 && width != 32)
        return 0;
    const bool isSigned = !typeName.startsWith(u'U') && !typeName.startsWith(u'u');
    if (isSigned && width == 8 && raw >= 128)
        value = double(raw) - 256.0;
    else if (isSigned && width == 16 && raw > 0x7FFF)
        value = double(raw) - 65536.0;
    else if (isSigned && width == 32)
        value = static_cast<std::int32_t>(raw);
    else
        value = raw;
    return 1;
}
