#!/usr/bin/env bash
# Builds the units/formula libFuzzer target with clang and runs it for a while.
# Usage: scripts/fuzz_units.sh [seconds]   (default 60; findings go to build-fuzz/fuzz/)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELTO_BUILD_BENCH=OFF -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined"
cmake --build build-fuzz --target fuzz_units -j2
mkdir -p build-fuzz/fuzz/corpus
cp -n tests/dictionary/fuzz_corpus/* build-fuzz/fuzz/corpus/
cd build-fuzz/fuzz
./fuzz_units -max_total_time="$seconds" -max_len=512 -timeout=5 corpus
