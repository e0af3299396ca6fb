#pragma once
// The drive data commands of veltoctl, on the same passes and rules as their pages. Each
// returns the process exit status.
#include "ctl/options.h"

int RunDiff(const CtlOptions& options);
int RunExport(const CtlOptions& options);
int RunImport(const CtlOptions& options);
int RunStore(const CtlOptions& options);
int RunInit(const CtlOptions& options);
int RunRestart(const CtlOptions& options);
