#include "comm/linksettings.h"

#include <cstring>

#include "comm/canrates.h"
#include "comm/comm.h"
#include "dictionary/numbers.h"
#include "platform/folders.h"
#include "platform/profile.h"

void CopyToBuffer(char* buffer, int size, const QString& text) {
    QByteArray bytes = text.toUtf8().left(size - 1);
    std::memset(buffer, 0, size);
    std::memcpy(buffer, bytes.constData(), bytes.size());
}

StoredLink ReadStoredLink(const CFolders& folders, int commMode) {
    StoredLink link;
    const QString& ini = folders.settingsPath;
    if (commMode == CComm::Serial) {
        link.kind = CComm::Serial;
        link.settings.rate =
            CNumbers::ParseDecimal(platform::GetProfileString(ini, "com", "buadrate", "", 16));
        link.address =
            CNumbers::ParseDecimal(platform::GetProfileString(ini, "com", "driverid", "", 16));
        // Linux device paths are longer than the Windows names; take the whole path.
        CopyToBuffer(link.settings.portName, sizeof link.settings.portName,
                     platform::GetProfileString(ini, "com", "comid", "", 256));
    } else if (commMode == CComm::Can) {
        link.kind = CComm::Can;
        link.settings.rate =
            CNumbers::ParseDecimal(platform::GetProfileString(ini, "can", "buadrate", "", 16));
        link.address =
            CNumbers::ParseDecimal(platform::GetProfileString(ini, "can", "driverid", "", 16));
        QString adapter = platform::GetProfileString(ini, "can", "adapter", "", 256).trimmed();
        if (adapter.isEmpty())
            adapter = canrates::DefaultAdapter();
        CopyToBuffer(link.settings.adapter, sizeof link.settings.adapter, adapter);
    }
    link.settings.driveAddress = link.address;
    link.settings.waitMs = 500;
    return link;
}
