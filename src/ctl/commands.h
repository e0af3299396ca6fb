#pragma once
// The commands of veltoctl. Each returns the process exit status.
#include "ctl/options.h"

int RunObjects(const CtlOptions& options);
int RunDescribe(const CtlOptions& options);
int RunRead(const CtlOptions& options);
int RunWrite(const CtlOptions& options);
int RunWatch(const CtlOptions& options);
