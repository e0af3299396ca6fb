#pragma once
// One object of the drive's dictionary, in the current language.
#include <QString>
#include <cstdint>

class CSdoInfo {
public:
    CSdoInfo() = default;
    // A search probe: only the key is set.
    explicit CSdoInfo(std::int32_t probeKey) : key(probeKey) {}

    bool operator==(const CSdoInfo& other) const { return key == other.key; }

    QString GetName() const { return name; }
    QString GetDataType() const { return dataType; }
    QString GetAttribute() const { return attribute; }
    QString GetHelp() const { return help; }
    QString GetUnitDefinition() const { return unitDefinition; }

    std::int32_t key = 0;
    std::int32_t index = 0;
    std::uint8_t subIndex = 0;
    QString name;
    QString dataType;
    QString attribute;
    QString help;
    QString unitDefinition;
};
