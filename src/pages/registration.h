#pragma once
// Registers the parameter pages and the object dictionary browser with the main frame.
#include <QString>

class CPageRegistry;

void RegisterParameterPages(CPageRegistry& registry);
// The program's own title of a page, translated when the English catalog is loaded.
QString ParamPageTitle(int titleId);
