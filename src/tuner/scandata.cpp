#include "tuner/scandata.h"

#include <algorithm>

int CScanData::PointCount(int from, int end, int step) {
    if (step == 0)
        return 0;
    std::int64_t count = (static_cast<std::int64_t>(end) - from) / step + 1;
    return static_cast<int>(std::clamp<std::int64_t>(count, INT32_MIN, INT32_MAX));
}
