#pragma once
// One fuzz input through the scan file import, the analysis and the plot's coordinates; a
// file that imports completely must survive export and import unchanged. Traps on a broken
// rule.
#include <cstddef>
#include <cstdint>

void FuzzScanFileOnce(const std::uint8_t* data, std::size_t size);
