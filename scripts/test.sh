#!/usr/bin/env bash
# Builds everything and runs the whole test suite (or the preset named as $1: asan, tsan).
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-default}"
start=$SECONDS
bash scripts/build.sh "$preset"
built=$SECONDS
status=0
ctest --preset "$preset" -j "$(nproc)" || status=$?
echo "test.sh $preset: build $((built - start)) s, tests $((SECONDS - built)) s"
exit "$status"
