#include "objecttable.h"

#include <QFile>
#include <QList>

namespace vsim {

namespace {

bool ParseNumber(const QByteArray& text, int64_t& out) {
    bool ok = false;
    out = text.trimmed().toLongLong(&ok, 10);
    return ok;
}

bool ParseType(const QString& name, SimObject& o) {
    static const struct {
        const char* name;
        int width;
        bool isSigned;
    } kTypes[] = {{"UNSIGNED8", 8, false},     {"UNSIGNED16", 16, false}, {"UNSIGNED32", 32, false},
                  {"INTEGER8", 8, true},       {"INTEGER16", 16, true},   {"INTEGER32", 32, true},
                  {"VISIBLE STRING", 0, false}};
    for (const auto& t : kTypes) {
        if (name.compare(QLatin1String(t.name), Qt::CaseInsensitive) != 0)
            continue;
        o.width = t.width;
        o.isSigned = t.isSigned;
        o.isString = t.width == 0;
        return true;
    }
    return false;
}

}  // namespace

int64_t TypeMin(int width, bool isSigned) {
    return isSigned ? -(int64_t(1) << (width - 1)) : 0;
}

int64_t TypeMax(int width, bool isSigned) {
    return isSigned ? (int64_t(1) << (width - 1)) - 1 : (int64_t(1) << width) - 1;
}

bool CObjectTable::Load(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QString("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    QString why;
    if (Parse(file.readAll(), &why))
        return true;
    if (error)
        *error = path + ": " + why;
    return false;
}

bool CObjectTable::Parse(const QByteArray& content, QString* error) {
    objects_.clear();
    byKey_.clear();
    indexCount_.clear();
    const QList<QByteArray> lines = content.split('\n');
    for (int n = 0; n < lines.size(); ++n) {
        QByteArray line = lines[n];
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        SimObject o;
        QString why;
        if (!ParseLine(line, o, why)) {
            if (error)
                *error = QString("line %1: %2").arg(n + 1).arg(why);
            return false;
        }
        if (byKey_.count(o.key)) {
            if (error)
                *error = QString("line %1: object %2 listed twice")
                             .arg(n + 1)
                             .arg(o.key, 6, 16, QChar('0'));
            return false;
        }
        Put(o);
    }
    if (objects_.empty()) {
        if (error)
            *error = "no objects";
        return false;
    }
    return true;
}

bool CObjectTable::ParseLine(const QByteArray& line, SimObject& o, QString& why) const {
    const QList<QByteArray> f = line.split('\t');
    if (f.size() != 6) {
        why = QString("expected 6 tab-separated columns, found %1").arg(f.size());
        return false;
    }
    bool ok = false;
    const QByteArray keyText = f[0].trimmed();
    o.key = keyText.toUInt(&ok, 16);
    if (!ok || keyText.size() != 6) {
        why = QString("bad object key \"%1\"").arg(QString::fromUtf8(keyText));
        return false;
    }
    o.typeName = QString::fromUtf8(f[1].trimmed());
    if (!ParseType(o.typeName, o)) {
        why = QString("unknown data type \"%1\"").arg(o.typeName);
        return false;
    }
    const QByteArray access = f[2].trimmed();
    o.writable = access.contains('W') || access.contains('w');
    o.live = access.contains('L') || access.contains('l');
    if (o.isString) {
        o.text = f[3];
        return true;
    }
    if (!ParseNumber(f[3], o.defaultValue) || !ParseNumber(f[4], o.min) ||
        !ParseNumber(f[5], o.max)) {
        why = "default, min and max must be decimal numbers";
        return false;
    }
    const int64_t lo = TypeMin(o.width, o.isSigned), hi = TypeMax(o.width, o.isSigned);
    if (o.min < lo || o.max > hi || o.min > o.max) {
        why = QString("range %1..%2 does not fit %3").arg(o.min).arg(o.max).arg(o.typeName);
        return false;
    }
    if (o.defaultValue < o.min || o.defaultValue > o.max) {
        why = QString("default %1 outside %2..%3").arg(o.defaultValue).arg(o.min).arg(o.max);
        return false;
    }
    return true;
}

const SimObject* CObjectTable::Find(uint32_t key) const {
    auto it = byKey_.find(key);
    return it == byKey_.end() ? nullptr : &objects_[it->second];
}

bool CObjectTable::HasIndex(uint16_t index) const {
    return indexCount_.count(index) != 0;
}

void CObjectTable::Put(const SimObject& object) {
    auto it = byKey_.find(object.key);
    if (it != byKey_.end()) {
        objects_[it->second] = object;
        return;
    }
    byKey_[object.key] = objects_.size();
    objects_.push_back(object);
    indexCount_[object.Index()]++;
}

}  // namespace vsim
