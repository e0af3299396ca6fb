#include "app/global.h"

#include <QDir>

#include "dictionary/numberscan.h"
#include "dictionary/sdocommand.h"
#include "platform/profile.h"

namespace {
std::atomic<CGlobal*> g_instance{nullptr};
}  // namespace

CGlobal::CGlobal() : CGlobal(QDir::currentPath()) {}

CGlobal::CGlobal(const QString& baseFolder) : CGlobal(baseFolder, 0) {}

CGlobal::CGlobal(const QString& baseFolder, std::uint8_t dictionaryLanguage)
    : CFolders(baseFolder, dictionaryLanguage),
      dictionary(*this, language),
      evaluator([this](WindowHandle who, std::uint8_t command, std::int32_t key,
                       std::int32_t value) { return link.Request(who, command, key, value); },
                mainWindow),
      link(*this, *this) {
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
    const auto value = static_cast<std::uint8_t>(numberscan::CDecimal(text));
    language.store(value);
    return value;
}

void CGlobal::ReadCommMode() {
    const QString text = platform::GetProfileString(settingsPath, "sys", "comm", QString(), 4);
    commMode = static_cast<std::uint8_t>(numberscan::CDecimal(text));
}

int CGlobal::ConvertReadValue(WindowHandle owner, int key, const QString& unitText, double& value,
                              QString& formula, int& handled) {
    return valueconv::ConvertReadValue(Conversions(), owner, key, unitText, value, formula,
                                       handled);
}

QString CGlobal::FormatValue(const QString& unitText, const QString& typeName,
                             const QString& formula, double value) {
    return valueconv::FormatValue(unitText, typeName, formula, value);
}

QString CGlobal::FormatRawValue(const QString& unitText, const QString& typeName,
                                const QString& formula, std::int32_t raw) {
    return valueconv::FormatRawValue(unitText, typeName, formula, raw);
}

RowConversion CGlobal::WriteRowValue(WindowHandle owner, const IValueRow& row) {
    const RowConversion conversion = ConvertRowValue(Conversions(), owner, row);
    const std::int32_t key = row.Key();
    if (conversion.outcome == RowWrite::Queued)
        link.Request(owner, conversion.command, key, conversion.raw);
    else if (conversion.outcome == RowWrite::Refused && key != 0)
        link.Request(owner, sdo::Read, key, 0);  // the row shows the drive's value again
    return conversion;
}
