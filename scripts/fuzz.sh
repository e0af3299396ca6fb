#!/usr/bin/env bash
# Builds every libFuzzer target (fuzz_<what>) with clang in build-fuzz/ and runs each on its
# seed corpus, tests/<area>/fuzz_corpus/<what>/, for N executions (default 1,000,000).
# Usage: scripts/fuzz.sh [runs] [target...]   e.g. scripts/fuzz.sh 100000 fuzz_profile
# FUZZ_SECONDS=n ends each target after n seconds even before its runs (slow targets on a busy
# machine); the summary then shows how many executions it reached.
# Per target it prints executions, time and findings; findings (crash-*, leak-*, timeout-*,
# oom-*) land in build-fuzz/fuzz/findings/<what>/ and make the script fail. An optional file
# tests/<area>/fuzz_corpus/<what>.options adds libFuzzer flags, one per line.
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-1000000}"
shift || true
bash scripts/setup.sh
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELTO_BUILD_BENCH=OFF -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined" \
  >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  mapfile -t targets < <(ninja -C build-fuzz -t targets all |
                         sed -n 's/^\(fuzz_[A-Za-z0-9_]*\): phony$/\1/p' |
                         grep -v '_autogen\(_timestamp_deps\)\?$' | sort)
fi
if [ ${#targets[@]} -eq 0 ]; then
  echo "fuzz: no fuzz_* targets (is clang++ installed?)" >&2
  exit 1
fi
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]}"

root="$PWD"
work="$root/build-fuzz/fuzz"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
failed=0
summary=()
for target in "${targets[@]}"; do
  what="${target#fuzz_}"
  seeds=(tests/*/fuzz_corpus/"$what")
  corpus="$work/corpus/$what"
  findings="$work/findings/$what"
  mkdir -p "$corpus" "$findings"
  [ -d "${seeds[0]}" ] && cp -n "${seeds[0]}"/* "$corpus"/ 2>/dev/null || true
  flags=()
  options="${seeds[0]}.options"
  [ -f "$options" ] && mapfile -t flags < <(grep -v '^\s*$' "$options")
  log="$work/$what.log"
  echo "== $target: $runs runs (corpus $corpus, log $log)"
  start=$(date +%s)
  status=0
  "$work/$target" -runs="$runs" -max_total_time="${FUZZ_SECONDS:-0}" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$findings/" "${flags[@]}" "$corpus" >"$log" 2>&1 || status=$?
  seconds=$(( $(date +%s) - start ))
  executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
  found=$(find "$findings" -type f | wc -l)
  if [ "$status" -ne 0 ] || [ "$found" -ne 0 ]; then
    failed=1
    tail -n 30 "$log"
  fi
  summary+=("$(printf '%-20s %12s execs %7ss %8s exec/s  findings %s (exit %s)' "$target" \
    "${executed:-?}" "$seconds" "$(( ${executed:-0} / (seconds > 0 ? seconds : 1) ))" \
    "$found" "$status")")
done
echo
printf '%s\n' "${summary[@]}"
exit "$failed"
