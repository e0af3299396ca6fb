#pragma once
// One libFuzzer input through the scope settings lists and the text recording (and, from the
// same bytes, the sample decoding). Aborts when a recording read back from what was written
// loses its samples.
#include <cstddef>
#include <cstdint>

void FuzzScopeFilesOnce(const std::uint8_t* data, std::size_t size);
