#include "dictionary/objectkey.h"

namespace {

bool AllHex(const QString& text) {
    for (QChar c : text)
        if (!c.isDigit() && !(c.toLower() >= 'a' && c.toLower() <= 'f'))
            return false;
    return !text.isEmpty();
}

QString WithoutPrefix(const QString& text) {
    return text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? text.mid(2) : text;
}

bool TakePart(const QString& text, int max, int& out) {
    const QString digits = WithoutPrefix(text);
    bool ok = false;
    out = AllHex(digits) ? digits.toInt(&ok, 16) : -1;
    return ok && out >= 0 && out <= max;
}

}  // namespace

bool ParseObjectRef(const QString& text, ObjectRef& ref) {
    const QString t = text.trimmed();
    ObjectRef parsed;
    bool ok = false;
    const int colon = t.indexOf(':');
    if (colon >= 0) {
        ok = TakePart(t.left(colon), 0xFFFF, parsed.index) &&
             TakePart(t.mid(colon + 1), 0xFF, parsed.subIndex);
    } else if (t.size() == 6 && AllHex(t)) {
        ok = TakePart(t.left(4), 0xFFFF, parsed.index) && TakePart(t.mid(4), 0xFF, parsed.subIndex);
    } else if (WithoutPrefix(t).size() == 4) {
        ok = TakePart(t, 0xFFFF, parsed.index);
    }
    if (ok)
        ref = parsed;
    return ok;
}

int ParseObjectKey(const QString& text) {
    ObjectRef ref;
    if (!ParseObjectRef(text, ref) || ref.subIndex < 0)
        return -1;
    return ref.index * 256 + ref.subIndex;
}

QString ObjectKeyText(int key) {
    return QString::asprintf("%04X:%02X", unsigned(key >> 8) & 0xFFFF, unsigned(key) & 0xFF);
}
