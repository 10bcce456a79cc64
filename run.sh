#!/usr/bin/env bash
# Builds the converter and runs it: the window when a display is available,
# otherwise (or with --demo) the round trip on the bundled sample school.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure_packages.sh

demo=0
for arg in "$@"; do
  case "$arg" in
    --demo) demo=1 ;;
    *) echo "usage: ./run.sh [--demo]" >&2; exit 2 ;;
  esac
done

ensure_packages "${CORE_PACKAGES[@]}"
# Only what runs is built (the tests are ./test.sh's): the batch front end and
# the stand-in host for the demo, and the window when there is a display.
targets=(transorvaldae-cli host-stub)
window=0
if [ "$demo" -eq 0 ] && [ -n "${DISPLAY:-}" ]; then
  ensure_packages "${GUI_PACKAGES[@]}"
  window=1
  targets+=(transorvaldae)
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target "${targets[@]}"

if [ "$window" -eq 1 ]; then
  # The program never creates its work folder; this launcher prepares it.
  work=${TRANSORVALDAE_WORK_FOLDER:-$HOME/KTEMP}
  [ -d "$work" ] || { echo "Creating the work folder $work"; mkdir -p "$work"; }
  exec build/src/app/transorvaldae
fi
exec scripts/demo.sh build
