#!/usr/bin/env bash
# Builds and starts the program from the runtime folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
cd build/runtime
exec ./veltoservo "$@"
