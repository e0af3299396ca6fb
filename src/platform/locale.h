#pragma once
// The system default locale, as the program asks for it.
namespace platform {

// True when the effective LC_ALL / LC_MESSAGES / LANG names zh_CN (Windows: locale 0x0804).
bool SystemLocaleIsChinesePrc();

// True for "zh_CN", "zh_CN.UTF-8", "zh_CN.GB2312", "zh_CN@..." (not zh_TW, zh_HK, zh_SG).
bool LocaleNameIsChinesePrc(const char* name);

// Fixes the answer of SystemLocaleIsChinesePrc (1 Chinese PRC, 0 other) without touching the
// environment, which other threads may be reading; -1 returns to the environment.
void OverrideSystemLocale(int chinesePrc);

}  // namespace platform
