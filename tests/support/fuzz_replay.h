#pragma once
// Replays a fuzz target's seed corpus (tests/<area>/fuzz_corpus/<what>/) through its function
// inside the normal suite, so the sanitizer builds run every seed too.
#include <QString>
#include <cstddef>
#include <cstdint>

using FuzzEntry = int (*)(const std::uint8_t* data, std::size_t size);

// Runs every file of the corpus folder (relative to tests/) through `entry`; returns how many.
int ReplayFuzzCorpus(const QString& folder, FuzzEntry entry);
