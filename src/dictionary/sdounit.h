#pragma once
// Unit records of one drive object, parsed from its unit definition, for example
// "[rpm]N*60;[r/s]N*1" or "[A B]N*2" (first word A, second word B).
#include <QList>
#include <QString>
#include <cstdint>

// One unit of one object.
class CCellUnit {
public:
    // The text a row and its drop-down show for this unit.
    QString ShownText() const { return displayName.isEmpty() ? unitName : displayName; }

    QString unitName;     // first word of the item; matched by writes
    QString displayName;  // second word, may be empty; matched by reads
    QString formula;      // raw value -> displayed value
};

// The units of one object.
class CSdoUnit {
public:
    bool operator==(const CSdoUnit& other) const { return key == other.key; }

    std::int32_t key = 0;
    std::uint8_t cellCount = 0;
    QList<CCellUnit> cells;  // in definition order; shared, not copied, by FindUnit
};

// Parses a unit definition into its cells and returns their number. A definition shorter
// than 3 characters defines none; at most 255 items are taken.
int ParseUnitDefinition(const QString& definition, QList<CCellUnit>& cells);
