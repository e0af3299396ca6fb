#pragma once
// The system default locale, as the program asks for it.
namespace platform {

// True when the effective LC_ALL / LC_MESSAGES / LANG names zh_CN (Windows: locale 0x0804).
bool SystemLocaleIsChinesePrc();

}  // namespace platform
