#pragma once
// One fuzz input read as a settings-style profile file, shared by fuzz_profile and the corpus
// replay of the suite.
#include <cstddef>
#include <cstdint>

int FuzzProfile(const std::uint8_t* data, std::size_t size);
