#pragma once
// One fuzz input through unit definitions, formulas and value text, shared by the libFuzzer
// target and the smoke test that replays a corpus under CTest.
#include <cstddef>
#include <cstdint>

class CGlobal;

// Quiet message boxes (the fuzzer shows thousands of them).
void InstallSilentMessageBoxes();

void FuzzUnitsOnce(CGlobal& global, const std::uint8_t* data, std::size_t size);
