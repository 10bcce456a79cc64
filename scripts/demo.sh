#!/usr/bin/env bash
# The round trip on the bundled sample school, in temporary folders:
# export from DAE, the stand-in host's timetable, import back to DAE.
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
cli=$build/src/cli/transorvaldae-cli
host=$build/tools/host_stub/host-stub

dae=$(mktemp -d -t transorvaldae-dae.XXXX)
work=$(mktemp -d -t transorvaldae-work.XXXX)
# The demo's safety copies and run log stay with its folders, not the user's.
runs=$(mktemp -d -t transorvaldae-runs.XXXX)
export TRANSORVALDAE_BACKUP_FOLDER=$runs/copias
trap 'rm -rf "$dae" "$work" "$runs"' EXIT
cp samples/dae/* "$dae/"

echo "== DAE folder: $dae"
echo "== Work folder: $work"
echo
echo "== Export: DAE -> Orvalin"
"$cli" export --dae-folder "$dae" --work-folder "$work" --language CASTELLANO --levels samples/levels.txt || true
echo
echo "== Rows per table"
for table in ASIGNOMT PROFT AULAT GRUPOST ASIGT DIASHORAST; do
  rows=$("$cli" dump "$table" --work-folder "$work" | tail -n +2 | wc -l)
  printf '  %-10s %6d\n' "$table" "$rows"
done
for table in ASIGNOMT PROFT AULAT GRUPOST ASIGT; do
  echo
  echo "== $table (first rows)"
  "$cli" dump "$table" --work-folder "$work" | sed -n 1,5p
done

if "$host" solve --work-folder "$work" 2>/dev/null; then
  echo
  echo "== Import: Orvalin -> DAE"
  # Teachers that DAE gave no document get one typed in the coding editor.
  documents=$work/documents.txt
  "$cli" dump PROFT --work-folder "$work" | tail -n +2 |
    awk -F, '$4 == "" { printf "%s;DNI;%08d%s\n", $1, NR, substr("TRWAGMYFPDXBNJZSQVHLCKE", (NR % 23) + 1, 1) }' >"$documents"
  "$cli" import --dae-folder "$dae" --work-folder "$work" --documents "$documents" || true
  echo
  echo "== fCUADROS.txt (first lines)"
  sed -n 1,6p "$dae/fCUADROS.txt" | iconv -f WINDOWS-1252 -t UTF-8 | cut -c1-120
  echo "   ... $(wc -l <"$dae/fCUADROS.txt") lines"
fi
