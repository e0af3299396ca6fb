// libFuzzer's entry of a fuzz target: hands each input to the target's function, which the
// build names in VELTO_FUZZ_ENTRY (the tests replay the seed corpus through it as well).
#include <cstddef>
#include <cstdint>

int VELTO_FUZZ_ENTRY(const std::uint8_t* data, std::size_t size);

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return VELTO_FUZZ_ENTRY(data, size);
}
