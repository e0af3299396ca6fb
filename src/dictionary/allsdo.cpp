#include "dictionary/allsdo.h"
// Placeholder until the loader lands.
CAllSdo::CAllSdo(CGlobal&) : impl_(nullptr) {}
CAllSdo::~CAllSdo() = default;
