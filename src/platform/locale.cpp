#include "platform/locale.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace platform {
namespace {
std::atomic<int> g_override{-1};
}

bool LocaleNameIsChinesePrc(const char* name) {
    if (!name || std::strncmp(name, "zh_CN", 5) != 0)
        return false;
    const char next = name[5];
    return next == '\0' || next == '.' || next == '@';
}

bool SystemLocaleIsChinesePrc() {
    const int forced = g_override.load();
    if (forced >= 0)
        return forced != 0;
    // The first of these that is set decides, as for the C library's message catalogs.
    for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(var);
        if (value && *value)
            return LocaleNameIsChinesePrc(value);
    }
    return false;
}

void OverrideSystemLocale(int chinesePrc) {
    g_override.store(chinesePrc < 0 ? -1 : chinesePrc != 0);
}

}  // namespace platform
