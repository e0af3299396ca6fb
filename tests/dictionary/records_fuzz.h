#pragma once
// One fuzz input read as the dictionary file (velto.dat), shared by fuzz_records and the
// corpus replay of the suite.
#include <cstddef>
#include <cstdint>

int FuzzRecords(const std::uint8_t* data, std::size_t size);
