#include "ctl/scopeargs.h"

#include "ctl/options.h"
#include "dictionary/objectkey.h"

namespace {

bool Number(const QString& text, int low, int high, int& out) {
    bool ok = false;
    const long long v = text.startsWith("0x", Qt::CaseInsensitive) ? text.mid(2).toLongLong(&ok, 16)
                                                                   : text.toLongLong(&ok, 10);
    if (!ok || v < low || v > high)
        return false;
    out = int(v);
    return true;
}

bool Channel(const QString& text, ChannelRequest& r) {
    const qsizetype eq = text.indexOf('=');
    if (eq < 0 || !Number(text.left(eq), 1, 4, r.channel))
        return false;
    r.key = ParseObjectKey(text.mid(eq + 1));
    return r.key >= 0;
}

bool Take(const QString& name, const QString& value, ScopeArgs& a, QString& error) {
    auto bad = [&](const QString& why) {
        error = name + " " + why;
        return false;
    };
    if (name == "--channel") {
        ChannelRequest r;
        if (!Channel(value, r))
            return bad("takes N=INDEX:SUB with N 1 to 4");
        a.channels.push_back(r);
    } else if (name == "--trigger") {
        a.triggerKey = ParseObjectKey(value);
        if (a.triggerKey <= 0)
            return bad("takes INDEX:SUB");
    } else if (name == "--level") {
        int v = 0;
        if (!Number(value, INT32_MIN, INT32_MAX, v))
            return bad("takes a raw value");
        a.level = v;
    } else if (name == "--edge") {
        if (value != "rising" && value != "falling")
            return bad("takes rising or falling");
        a.edge = value == "falling" ? 1 : 0;
    } else if (name == "--period" || name == "--offset") {
        int v = 0;
        if (!Number(value, name == "--period" ? 1 : 0, 65535, v))
            return bad(name == "--period" ? "takes 1 to 65535" : "takes 0 to 65535");
        (name == "--period" ? a.period : a.offset.emplace()) = v;
    } else if (name == "--csv" || name == "--txt") {
        (name == "--csv" ? a.csv : a.txt) = value;
    } else {
        return bad("is not an option of scope");
    }
    return true;
}

}  // namespace

bool ParseScopeArgs(const QStringList& arguments, int count, ScopeArgs& a, QString& error) {
    for (int i = 0; i < arguments.size(); i += 2) {
        if (i + 1 >= arguments.size()) {
            error = arguments[i] + " needs a value";
            return false;
        }
        if (!Take(arguments[i], arguments[i + 1], a, error))
            return false;
    }
    a.count = count;
    if (a.channels.empty())
        error = "no --channel given";
    else if (a.period < 0)
        error = "--period is needed";
    else if (a.count < 1 || a.count > 65535)
        error = "--count takes 1 to 65535";
    else if (a.csv.isEmpty())
        error = "--csv is needed";
    return error.isEmpty();
}
