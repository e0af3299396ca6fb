#include "comm/canrates.h"

namespace canrates {

int IndexOfCode(int code) {
    for (int i = 0; i < kRateCount; ++i)
        if (kRates[i].code == code)
            return i;
    return -1;
}

QString StatusText(int code) {
    int index = IndexOfCode(code);
    if (index < 0)
        return QStringLiteral("Closed");
    return QStringLiteral("Open ") + QLatin1String(kRates[index].text);
}

QStringList AdapterChoices() {
    // PCAN-USB on the kernel's peak_usb driver, PEAK's own library, the simulated drive.
    return {QStringLiteral("socketcan:can0"), QStringLiteral("peakcan:usb0"),
            QStringLiteral("virtualcan:can0")};
}

QString DefaultAdapter() {
    return AdapterChoices().first();
}

}  // namespace canrates
