#!/usr/bin/env bash
# Fails, listing the files, when a C++ file of the repository does not follow
# .clang-format. With --fix, formats them instead.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
clang-format --dry-run --Werror "${files[@]}" 2>/dev/null || {
  echo "Not formatted (scripts/check_format.sh --fix formats them):" >&2
  for f in "${files[@]}"; do
    clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || echo "  $f" >&2
  done
  exit 1
}
