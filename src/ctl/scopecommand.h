#pragma once
// veltoctl scope: one capture of the drive's oscilloscope, written as CSV (and text recording).
#include "ctl/options.h"

int RunScope(const CtlOptions& options);

// The command's usage text.
extern const char* const kScopeUsage;
