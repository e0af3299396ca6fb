#include "platform/profile.h"
namespace platform {
bool WriteProfileString(const QString&, const QString&, const QString&, const QString&) {
    return true;
}
}  // namespace platform
