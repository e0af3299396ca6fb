#pragma once
// veltoctl scan: the tuner's frequency scan from the command line, through the same scan
// protocol, checks, analysis and file format as the tuner window.
#include "ctl/options.h"

int RunScan(const CtlOptions& options);
