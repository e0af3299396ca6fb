#include "dictionary/formula.h"
// Placeholder until the evaluator lands.
CFormula::CFormula(CGlobal&) : impl_(nullptr) {}
CFormula::~CFormula() = default;
