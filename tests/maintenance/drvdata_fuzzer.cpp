// libFuzzer target over the upload list and the data file (clang builds only).
#include "drvdata_fuzz_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzDrvDataOnce(data, size);
    return 0;
}
