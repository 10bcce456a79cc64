#!/usr/bin/env bash
# Run under a virtual X server (xvfb-run): the converter started standalone
# names itself TransOrvalDAE where the task bar and the window switcher look;
# then the stand-in host launches the converter hosted in its window and
# reports what the converter left in Orvalin.ini. The converter's window must
# be a 598x270 child of the host's window at (2, 2); "&Salir" at once must
# hand over 0, an export on a folder that vanished -1, and an import of a
# solved timetable, finished with "&Terminar", 1.
#   hosting_test.sh HOST_STUB CONVERTER CLI SAMPLE_DAE_FOLDER
set -euo pipefail
host_stub=$1
converter=$2
cli=$3
sample=$4
export QT_QPA_PLATFORM=xcb

dir=$(mktemp -d)
stub=""
cleanup() {
  [ -n "$stub" ] && kill "$stub" 2>/dev/null || true
  rm -rf "$dir"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
# Polls (every 0.1 s, up to 30 s) until the command succeeds.
wait_for() {
  for _ in $(seq 300); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# A copy of the converter, so that its Orvalin.ini is this test's own.
cp "$converter" "$dir/transorvaldae"
mkdir "$dir/work" "$dir/dae"
cp "$sample"/* "$dir/dae/"
export TRANSORVALDAE_WORK_FOLDER="$dir/work"
export TRANSORVALDAE_BACKUP_FOLDER="$dir/copias"

# The converter's caption, with the program's name that the platform adds to it.
caption='"Exportar e importar datos entre Orvalin y DAE — TransOrvalDAE"'

# Starts `host-stub launch DIRECTION` with the folder list at FOLDER, and sets
# converter_window once the converter shows inside the host's window.
launch() {
  (cd "$2" && exec "$host_stub" launch "$1" "$dir/transorvaldae") >"$dir/out" &
  stub=$!
  wait_for grep -q '^host-window=' "$dir/out" || fail "host-stub printed no host window"
  local host=0x$(sed -n 's/^host-window=//p' "$dir/out")
  embedded() { xwininfo -tree -id "$host" | grep -qF "$caption"; }
  wait_for embedded || fail "no converter window inside the host window $host"
  local line
  line=$(xwininfo -tree -id "$host" | grep -F "$caption")
  [[ $line =~ [[:space:]]598x270\+2\+2[[:space:]] ]] || fail "the converter window is not 598x270 at (2, 2): $line"
  converter_window=$(awk '{print $1}' <<<"$line")
  sleep 0.5
}

# Clicks at (x, y) of the window whose id is $1.
click_in() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove --sync $((X + $2)) $((Y + $3)) click 1
}

# The id of the visible window captioned $1, once there is one.
window_named() {
  local found=""
  for _ in $(seq 300); do
    found=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -n 1 || true)
    [ -n "$found" ] && break
    sleep 0.1
  done
  [ -n "$found" ] || fail "no window \"$1\""
  echo "$found"
}

# Presses Return in the message box captioned TransOrvalDAE (OK, its default
# button): gives it the keyboard focus first, as there is no window manager.
answer_message() {
  local box
  box=$(window_named TransOrvalDAE)
  xdotool windowfocus --sync "$box" 2>/dev/null || true
  xdotool key Return
}

finished_with() {
  local status=0
  wait "$stub" || status=$?
  stub=""
  cat "$dir/out"
  [ "$status" -eq 0 ] || fail "host-stub ended with status $status"
  grep -qx "Transformado=$1" "$dir/out" || fail "the host did not get Transformado=$1"
}

# Standalone: the window's class and its caption name the program.
(cd "$dir/dae" && exec "$dir/transorvaldae") &
stub=$!
standalone=$(window_named "Exportar e importar datos entre Orvalin y DAE")
name=$(xprop -id "$standalone" _NET_WM_NAME)
[ "$name" = "_NET_WM_NAME(UTF8_STRING) = $caption" ] || fail "the caption does not name the program: $name"
class=$(xprop -id "$standalone" WM_CLASS)
[[ $class == *'"TransOrvalDAE"' ]] || fail "the window's class is not TransOrvalDAE: $class"
kill "$stub"
wait "$stub" 2>/dev/null || true
stub=""
echo "PASS: the standalone window is TransOrvalDAE's"

# "&Salir" at once: 0. It lies at (480, 120) in the folder area, which starts
# at y = 100; click until the converter ends (a click may come before it maps).
launch exportar "$dir/dae"
for _ in $(seq 40); do
  kill -0 "$stub" 2>/dev/null || break
  click_in "$converter_window" $((480 + 44)) $((100 + 120 + 12)) 2>/dev/null || true
  sleep 0.5
done
finished_with 0
echo "PASS: the converter was embedded and \"&Salir\" handed over 0"

# Export on a folder that vanished after the window opened: -1.
mkdir "$dir/gone"
launch exportar "$dir/gone"
rmdir "$dir/gone"
click_in "$converter_window" $((88 + 44)) $((72 + 12))   # BExportar
answer_message                                           # "No existe la carpeta"
finished_with -1
echo "PASS: an export on a missing folder handed over -1"

# Import of a solved timetable, the hours accepted, "&Terminar": 1.
"$cli" export --dae-folder "$dir/dae" --work-folder "$dir/work" >/dev/null
"$host_stub" solve --work-folder "$dir/work" >/dev/null
launch importar "$dir/dae"
click_in "$converter_window" $((96 + 44)) $((72 + 12))   # BImportar: hosted, the import area fills the top band
hours=$(window_named "Control de Plantilla Horaria")
click_in "$hours" $((477 + 44)) $((257 + 12))                   # Aceptar
editor=$(window_named "CODIFICACIÓN Datos DAE")
xdotool windowfocus --sync "$editor" 2>/dev/null || true
xdotool key alt+t                                                # &Terminar
answer_message                                                   # "Proceso finalizado"
finished_with 1
[ -s "$dir/dae/fCUADROS.txt" ] || fail "no fCUADROS.txt"
echo "PASS: a finished import handed over 1"
