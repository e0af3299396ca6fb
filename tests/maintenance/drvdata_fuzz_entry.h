#pragma once
// One fuzz input through the drive data files and the passes over their rows, shared by the
// libFuzzer target and the smoke test that replays the corpus under CTest.
#include <cstddef>
#include <cstdint>

// Reads the input as an upload list (exported, written as a data file and read back by the
// import) and as a data file (imported against a drive that takes every value). Aborts when
// a row the export read is not taken by the import.
void FuzzDrvDataOnce(const std::uint8_t* data, std::size_t size);
