// libFuzzer target over the tuner's scan file import (clang builds only).
#include <cstddef>
#include <cstdint>

#include "scanfile_fuzz_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzScanFileOnce(data, size);
    return 0;
}
