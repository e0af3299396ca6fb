#pragma once
// The string table: page titles and the application title by string id, in the current
// language (the English catalog translates them).
#include <QString>

namespace stringtable {

// The text of the id in the current language; empty for an unknown id.
QString LoadString(int id);

// The untranslated (Chinese) text of the id; empty for an unknown id.
const char* SourceText(int id);

}  // namespace stringtable
