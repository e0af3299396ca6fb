#pragma once
// Units of drive objects: parsed unit definitions, kept per object for the whole run.
// UI thread only.
#include <QString>
#include <cstdint>
#include <memory>

#include "dictionary/sdounit.h"

class CUnit {
public:
    CUnit();
    ~CUnit();
    CUnit(const CUnit&) = delete;
    CUnit& operator=(const CUnit&) = delete;

    // 1 and a copy of the object's entry (sharing its cell list), or 0 when it has none yet.
    int FindUnit(std::int32_t key, CSdoUnit& entry) const;
    // The unit a new row shows: the first cell's shown text, or "DEC" for an object without a
    // definition. Creates the object's entry on first use. 0 only when no entry could be made.
    int DefaultUnitText(std::int32_t key, const QString& definition, QString& text);
    // The object's entry, created from `definition` without any message when it is missing.
    int FindOrAddUnit(std::int32_t key, const QString& definition, CSdoUnit& entry);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
