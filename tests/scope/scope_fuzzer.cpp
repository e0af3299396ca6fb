// libFuzzer target over the scope settings lists and the text recording (clang builds only).
#include "scope_fuzz_entry.h"

// A recording of many samples allocates a string per line; recording every allocation's stack
// and filling every block cost most of the time. Faults are still caught and reported with the
// faulting stack; only the allocation stacks in a report are cut short.
extern "C" const char* __asan_default_options() {
    return "malloc_context_size=2:max_malloc_fill_size=0:quarantine_size_mb=16";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzScopeFilesOnce(data, size);
    return 0;
}
