#pragma once
// veltoctl errors: the drive's error words, fault state and error history.
#include "ctl/options.h"

// Exit status when an error bit is set.
constexpr int kExitErrorSet = 4;

int RunErrors(const CtlOptions& options);
