#include "platform/dynlib.h"
