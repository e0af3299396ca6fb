#pragma once
// Texts that describe one dictionary object to the user (browser description, help popup).
#include <QString>

#include "dictionary/sdoinfo.h"

// "only readable", or "writeable  " and/or "real-update" by the access letters.
QString AttributeWords(const QString& attribute);

// Help text with line breaks as the description boxes show them ("\n" -> "\r\n", after "。").
QString HelpWithLineBreaks(const QString& help);

// The object dictionary browser's description of an entry.
QString DescribeEntry(const CSdoInfo& entry);
