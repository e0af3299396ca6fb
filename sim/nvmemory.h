#pragma once
// The drive's non-volatile memory: stored parameter values, kept in a state file when one is
// given, so that they survive a restart of the drive and of the simulator.
#include <QString>
#include <cstdint>
#include <map>

#include "objectvalues.h"

namespace vsim {

enum class ParamGroup { Control, Motor, All };

class CNvMemory {
public:
    explicit CNvMemory(QString path) : path_(std::move(path)) {}

    // Reads the state file (a missing file is an empty memory); false with a message.
    bool Load(const CObjectTable& table, QString& error);
    // Copies the group's values into the memory and writes the file; false when it fails.
    bool Store(const CObjectValues& values, ParamGroup group, QString& error);
    // Forgets every stored value (factory settings at the next restart); false when the
    // file cannot be written.
    bool Forget(QString& error);
    // Puts the stored values over the current ones (after a restart).
    void Recall(CObjectValues& values) const;

    // Whether an object is a stored parameter, and of which group.
    static bool Storable(const SimObject& o);
    static bool InGroup(const SimObject& o, ParamGroup group);
    size_t Size() const { return stored_.size(); }

private:
    bool Save(const std::map<uint32_t, int64_t>& values, QString& error) const;

    QString path_;
    std::map<uint32_t, int64_t> stored_;
};

}  // namespace vsim
