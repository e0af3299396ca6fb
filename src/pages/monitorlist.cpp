#include "pages/monitorlist.h"

#include "dictionary/allsdo.h"
#include "dictionary/numbers.h"
#include "platform/profile.h"

namespace monitor {

namespace {
const QString kSection = QStringLiteral("F001");
}

QString ListPath(const QString& sysFolder) {
    return sysFolder + "F001.ini";
}

std::uint32_t EntryValue(const QString& listPath, int entry) {
    QString text = platform::GetProfileString(listPath, kSection, QString::number(entry + 1));
    return static_cast<std::uint32_t>(CNumbers::ParseHex(text));
}

std::vector<Choice> ReadChoices(const QString& listPath, const CAllSdo& dictionary) {
    std::vector<Choice> choices;
    const int count = platform::GetProfileInt(listPath, kSection, QStringLiteral("num"));
    for (int i = 0; i < count; ++i) {
        std::uint32_t value = EntryValue(listPath, i);
        CSdoInfo entry;
        auto key = static_cast<std::int32_t>(value >> 8);
        if (value == 0 || !dictionary.FindByKey(key, entry))
            continue;
        choices.push_back({i, key, entry.name + QString::asprintf("(%d)", i)});
    }
    return choices;
}

SignedDisplay SignedDisplayFor(const QString& dataType) {
    if (!dataType.startsWith('I') && !dataType.startsWith('i'))
        return {};
    switch (CNumbers::DataTypeWidth(dataType)) {
        case 8:
            return {128, 256};
        case 16:
            return {0x8000, 0x10000};
        default:
            return {};
    }
}

QString DisplayText(const SignedDisplay& display, std::uint32_t raw) {
    std::int64_t value = raw;
    if (display.threshold != 0 && value >= display.threshold)
        value -= display.modulus;
    return QString::asprintf("%d", static_cast<int>(value));
}

}  // namespace monitor
