#!/usr/bin/env bash
# Run under a virtual X server (xvfb-run): the stand-in host launches the
# converter for the export; the converter's window must be a child of the
# host's window at (2, 2). Pressing its "&Salir" at once must report
# Transformado=0 to the host.
#   embedding_test.sh HOST_STUB CONVERTER
set -euo pipefail
host_stub=$1
converter=$2
export QT_QPA_PLATFORM=xcb
caption="Exportar e importar datos entre Orvalin y DAE"

dir=$(mktemp -d)
stub=""
cleanup() {
  [ -n "$stub" ] && kill "$stub" 2>/dev/null || true
  rm -rf "$dir"
}
trap cleanup EXIT
# A copy of the converter, so that its Orvalin.ini is this test's own.
cp "$converter" "$dir/transorvaldae"
mkdir "$dir/work"
export TRANSORVALDAE_WORK_FOLDER="$dir/work"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Polls (every 0.1 s, up to 20 s) until the command succeeds.
wait_for() {
  for _ in $(seq 200); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

"$host_stub" launch exportar "$dir/transorvaldae" >"$dir/out" &
stub=$!

host_window() { grep -q '^host-window=' "$dir/out"; }
wait_for host_window || fail "host-stub printed no host window"
host=0x$(sed -n 's/^host-window=//p' "$dir/out")

embedded() { xwininfo -tree -id "$host" | grep -q "\"$caption\""; }
wait_for embedded || fail "no converter window inside the host window $host"
line=$(xwininfo -tree -id "$host" | grep "\"$caption\"")
echo "host $host holds: $line"
[[ $line =~ [[:space:]]598x270\+2\+2[[:space:]] ]] || fail "the converter window is not 598x270 at (2, 2): $line"
converter_window=$(awk '{print $1}' <<<"$line")

# "&Salir" lies at (480, 120) in the folder area, which starts at y = 100.
# Click until the converter ends (the first click may come before it maps).
for _ in $(seq 40); do
  kill -0 "$stub" 2>/dev/null || break
  if eval "$(xdotool getwindowgeometry --shell "$converter_window" 2>/dev/null)"; then
    xdotool mousemove --sync $((X + 480 + 44)) $((Y + 100 + 120 + 12)) click 1 || true
  fi
  sleep 0.5
done
status=0
wait "$stub" || status=$?
stub=""
cat "$dir/out"
[ "$status" -eq 0 ] || fail "host-stub ended with status $status"
grep -qx "Transformado=0" "$dir/out" || fail "the host did not get Transformado=0"
echo "PASS: the converter was embedded and reported Transformado=0"
