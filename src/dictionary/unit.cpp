#include "dictionary/unit.h"
// Placeholder until the unit table lands.
CUnit::CUnit(CGlobal&) : impl_(nullptr) {}
CUnit::~CUnit() = default;
