#!/usr/bin/env bash
# Builds and runs the whole test suite (or the preset named as $1: asan, tsan). Test program
# names after the preset limit the run to those programs and build only what they need:
#   bash scripts/test.sh tsan test_comm test_pages_sim
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-default}"
shift || true
start=$SECONDS
if [ $# -eq 0 ]; then
  bash scripts/build.sh "$preset"
else
  bash scripts/build.sh "$preset" "$@"
fi
built=$SECONDS
status=0
if [ $# -eq 0 ]; then
  ctest --preset "$preset" -j "$(nproc)" || status=$?
else
  ctest --preset "$preset" -j "$(nproc)" -R "^($(IFS='|'; echo "$*"))\$" || status=$?
fi
echo "test.sh $preset: build $((built - start)) s, tests $((SECONDS - built)) s"
exit "$status"
