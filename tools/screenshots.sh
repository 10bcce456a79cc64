#!/usr/bin/env bash
# Takes the screenshots in docs/screenshots/: the window converter runs under
# a virtual X server on a copy of the bundled sample (samples/dae) and is
# driven through the export, as a user would, from the start to the end;
# then, hosted in the stand-in host's window, through the import on the
# stand-in host's timetable: the class-hour check, the help, the coding
# editor with a code list and a list refused, and the final message.
#   tools/screenshots.sh [BUILD_DIR]     (default: build-screenshots)
# A remembered set of level short names is prepared first with the batch
# front end, so that the levels step offers them back.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if [ "${1:-}" != "--inside-xvfb" ]; then
  source "$root/scripts/ensure_packages.sh"
  ensure_packages "${CORE_PACKAGES[@]}" "${GUI_PACKAGES[@]}" imagemagick
  build=$(realpath -m "${1:-$root/build-screenshots}")
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" --target transorvaldae transorvaldae-cli host-stub
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside-xvfb "$build"
fi

build=$2
out=$root/docs/screenshots
mkdir -p "$out"
export QT_QPA_PLATFORM=xcb
tmp=$(mktemp -d)
app=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT

cp -r "$root/samples/dae" "$tmp/dae"
mkdir "$tmp/work"
export TRANSORVALDAE_WORK_FOLDER=$tmp/work
export TRANSORVALDAE_BACKUP_FOLDER=$tmp/copias
printf '0400;ESO;DBH\n0500;BACH;BATX\n' >"$tmp/levels.txt"
"$build/src/cli/transorvaldae-cli" export --dae-folder "$tmp/dae" --levels "$tmp/levels.txt" >/dev/null

# The window's effects are not signalled to this script: give each step time.
settle() { sleep 1; }
find_window() {  # title pattern -> window id, waiting up to 10 s
  local id=""
  for _ in $(seq 50); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) && [ -n "$id" ] && break
    sleep 0.2
  done
  [ -n "$id" ] || { echo "no window \"$1\"" >&2; exit 1; }
  echo "$id"
}
click() {  # x y inside the main window
  xdotool mousemove --sync $((WX + $1)) $((WY + $2)) click 1
  settle
}
shot() {  # name: the main window alone
  import -window "$main" "$out/$1.png"
}
shot_screen() {  # name: the whole screen (a window over the host's)
  import -window root "$out/$1.png"
}
click_at() {  # window x y: a click inside that window
  local X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove --sync $((X + $2)) $((Y + $3)) click 1
  settle
}
shot_with_box() {  # name: the main window and the box over it
  import -window root -crop "${WW}x${WH}+${WX}+${WY}" +repage "$out/$1.png"
}
answer_box() {  # title pattern: presses the box's default button
  local box
  box=$(find_window "$1")
  xdotool windowfocus --sync "$box" key Return
  settle
}

(cd "$tmp/dae" && exec "$build/src/app/transorvaldae") &
app=$!
main=$(find_window "Exportar e importar datos entre Orvalin y DAE")
settle
eval "$(xdotool getwindowgeometry --shell "$main")"
WX=$X WY=$Y WW=$WIDTH WH=$HEIGHT

shot 1-start
click 132 84                # the export area's OK
shot 2-centre
click 274 229               # the centre panel's OK: the remembered short names are offered
shot_with_box 3-levels-question
answer_box "Recuperaci"
shot 4-levels
click 538 251               # "Aceptar"
click 147 127               # the second template
shot 5-templates
click 310 197               # the template panel's OK
shot_with_box 6-finished
answer_box "TransOrvalDAE"
shot 7-done
click 524 232               # "&Salir"
wait "$app" || true
app=""

# The import, hosted: the stand-in host makes the timetable and opens its
# window with the converter inside.
"$build/tools/host_stub/host-stub" solve --work-folder "$tmp/work" >/dev/null
(cd "$tmp/dae" && exec "$build/tools/host_stub/host-stub" launch importar "$build/src/app/transorvaldae") >/dev/null &
app=$!
host=$(find_window "host-stub")
settle
click_at "$host" 142 86     # the import area's OK, inside the host's window
hours=$(find_window "Control de Plantilla Horaria")
shot_screen 8-class-hours
xdotool key F1              # help on the hours grid
settle
shot_screen 9-help
xdotool key Escape
settle
click_at "$hours" 529 277   # "Aceptar"
editor=$(find_window "CODIFICACI")
shot_screen 10-coding-editor
xdotool key d               # a letter in the document-type cell opens its list
settle
shot_screen 11-coding-list
xdotool key Escape Escape
settle
click_at "$editor" 762 342  # ACTIV. of a teaching line: the list refuses
xdotool key a
settle
shot_screen 12-coding-refusal
answer_box "TransOrvalDAE"
xdotool key alt+t           # "&Terminar"
settle
shot_screen 13-import-done
answer_box "TransOrvalDAE"
wait "$app" || true
app=""
echo "Screenshots in $out"
