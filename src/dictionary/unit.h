#pragma once
// Units of drive objects: parsed unit definitions, kept per object for the whole run.
#include <QString>
#include <cstdint>

class CGlobal;

class CUnit {
public:
    explicit CUnit(CGlobal& global);
    ~CUnit();
    CUnit(const CUnit&) = delete;
    CUnit& operator=(const CUnit&) = delete;

private:
    struct Impl;
    Impl* impl_;
};
