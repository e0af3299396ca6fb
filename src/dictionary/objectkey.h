#pragma once
// Objects named in text by index and sub-index, as the command-line tool takes them and the
// dictionary browser finds them.
#include <QString>

struct ObjectRef {
    int index = -1;
    int subIndex = -1;  // -1: the text named the index alone
};

// "6041:00", "0x6041:0" and "604100" name index and sub-index; "6041" (four hexadecimal
// digits) the index alone. False for anything else.
bool ParseObjectRef(const QString& text, ObjectRef& ref);

// The key (index x 256 + sub-index) of a text naming both; -1 otherwise.
int ParseObjectKey(const QString& text);

// "6041:00" for key 0x604100.
QString ObjectKeyText(int key);
