// libFuzzer target over the upload list and the data file (clang builds only).
#include "drvdata_fuzz_entry.h"

// Every row of an input allocates a few strings; recording each allocation's stack and
// filling each block made the target six times slower. Faults are still caught and reported
// with the faulting stack; only the allocation stacks in a report are cut short.
extern "C" const char* __asan_default_options() {
    return "malloc_context_size=2:max_malloc_fill_size=0:quarantine_size_mb=16";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzDrvDataOnce(data, size);
    return 0;
}
