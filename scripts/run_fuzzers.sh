#!/usr/bin/env bash
# Replays each fuzz target's seed corpus, then fuzzes it for a bounded time.
# A crash makes the script fail; the input that caused it is left in
# fuzz/crashes/ to be added to the corpus once fixed.
set -euo pipefail
build=$1
seconds=$2
cd "$(dirname "$0")/.."
mkdir -p fuzz/crashes
status=0
for target in "$build"/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus=fuzz/corpus/${name#fuzz_}
  work=$(mktemp -d)
  echo "-- $name: corpus $corpus, ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 \
      -artifact_prefix=fuzz/crashes/ -print_final_stats=0 "$work" "$corpus" 2>"$work.log"; then
    tail -n 40 "$work.log"
    status=1
  fi
  rm -rf "$work" "$work.log"
done
exit $status
