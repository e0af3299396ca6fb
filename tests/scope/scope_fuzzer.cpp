// libFuzzer target over the scope settings lists and the text recording (clang builds only).
#include "scope_fuzz_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzScopeFilesOnce(data, size);
    return 0;
}
