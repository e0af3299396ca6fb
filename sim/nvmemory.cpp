#include "nvmemory.h"

#include <QFile>
#include <QSaveFile>

#include "drivekeys.h"

namespace vsim {

bool CNvMemory::Storable(const SimObject& o) {
    if (!o.writable || o.live || o.isString)
        return false;
    const uint16_t index = o.Index();
    // Commands and motion targets are not parameters.
    static const uint32_t kCommands[] = {
        keys::kControlword, keys::kTargetPosition, keys::kTargetVelocity, keys::kTargetTorque,
        keys::kRestart,     keys::kScanControl,    keys::kScanWindow,     0x230007};
    for (uint32_t k : kCommands)
        if (o.key == k)
            return false;
    return index != 0x2FF0 || o.key == keys::kMonitorSelector;
}

bool CNvMemory::InGroup(const SimObject& o, ParamGroup group) {
    const bool motor = (o.Index() & 0xFF00) == 0x6400;  // CiA 402 motor data
    return group == ParamGroup::All || (group == ParamGroup::Motor) == motor;
}

bool CNvMemory::Load(const CObjectTable& table, QString& error) {
    stored_.clear();
    if (path_.isEmpty() || !QFile::exists(path_))
        return true;
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QString("cannot read the state file %1: %2").arg(path_, file.errorString());
        return false;
    }
    int n = 0;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        ++n;
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> f = line.split('\t');
        bool okKey = false, okValue = false;
        const uint32_t key = f.value(0).toUInt(&okKey, 16);
        const int64_t value = f.value(1).toLongLong(&okValue);
        if (f.size() != 2 || !okKey || !okValue) {
            error = QString("state file %1 line %2 is not \"KEY<tab>VALUE\"").arg(path_).arg(n);
            return false;
        }
        const SimObject* o = table.Find(key);
        // Objects the table no longer has, or whose range changed, keep their defaults.
        if (o && Storable(*o) && value >= o->min && value <= o->max)
            stored_[key] = value;
    }
    return true;
}

bool CNvMemory::Store(const CObjectValues& values, ParamGroup group, QString& error) {
    std::map<uint32_t, int64_t> next = stored_;
    for (const SimObject& o : values.Table().Objects())
        if (Storable(o) && InGroup(o, group))
            next[o.key] = values.Get(o.key);
    if (!Save(next, error))
        return false;
    stored_ = std::move(next);
    return true;
}

bool CNvMemory::Save(const std::map<uint32_t, int64_t>& values, QString& error) const {
    if (path_.isEmpty())
        return true;
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly)) {
        error = QString("cannot write %1: %2").arg(path_, file.errorString());
        return false;
    }
    file.write("# veltosim non-volatile memory: object key, stored value\n");
    for (const auto& [key, value] : values)
        file.write(QString("%1\t%2\n").arg(key, 6, 16, QChar('0')).arg(value).toUpper().toUtf8());
    if (!file.commit()) {
        error = QString("cannot write %1: %2").arg(path_, file.errorString());
        return false;
    }
    return true;
}

bool CNvMemory::Forget(QString& error) {
    if (!Save({}, error))
        return false;
    stored_.clear();
    return true;
}

void CNvMemory::Recall(CObjectValues& values) const {
    for (const auto& [key, value] : stored_) values.Set(key, value);
}

}  // namespace vsim
