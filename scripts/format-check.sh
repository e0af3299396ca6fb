#!/usr/bin/env bash
# Checks every C++ source and header of the tree (tracked or new, build folders excluded)
# against .clang-format without changing anything; exits non-zero at the first difference.
set -euo pipefail
cd "$(dirname "$0")/.."
files=()
while IFS= read -r -d '' f; do
  [ -f "$f" ] && files+=("$f")  # a file deleted in the working tree is not checked
done < <(git ls-files -z --cached --others --exclude-standard -- '*.cpp' '*.h')
if [ ${#files[@]} -eq 0 ]; then
  echo "format-check: no sources found" >&2
  exit 1
fi
clang-format --dry-run -Werror "${files[@]}"
echo "format-check: ${#files[@]} files formatted as .clang-format says"
