#pragma once
// Shared by the read and write conversions (the CGlobal members live in valueconv.cpp).
#include <cstdint>

#include "dictionary/sdounit.h"

class CGlobal;

// The object's unit entry; made from its dictionary definition when no row has asked for its
// default unit yet. 0 when the object is unknown to both.
int LookupObjectUnit(CGlobal& global, std::int32_t key, CSdoUnit& entry);

// The display formats every object has besides its named units.
inline bool IsDisplayFormat(const QString& unitText) {
    return unitText.isEmpty() || unitText == QLatin1String("DEC") ||
           unitText == QLatin1String("HEX") || unitText == QLatin1String("ASCII");
}
