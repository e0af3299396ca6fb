#!/usr/bin/env bash
# Configures and builds into build/ (or the preset named as $1: default, asan, tsan).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
preset="${1:-default}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)"
