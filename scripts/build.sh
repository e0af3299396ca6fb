#!/usr/bin/env bash
# Configures and builds into build/ (or the preset named as $1: default, asan, tsan); target
# names after the preset build only those.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
preset="${1:-default}"
shift || true
cmake --preset "$preset" >/dev/null
if [ $# -eq 0 ]; then
  cmake --build --preset "$preset" -j "$(nproc)"
else
  cmake --build --preset "$preset" -j "$(nproc)" --target "$@"
fi
