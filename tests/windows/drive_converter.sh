#!/usr/bin/env bash
# Drives the window converter, started standalone, through both directions by
# its windows, as a user would (mouse clicks and keys from xdotool on the X
# display): the export on a copy of samples/dae (the centre data, the levels
# offered back from an earlier export, the second hour template) to
# "Proceso finalizado", then the stand-in host's timetable, then the import
# (the class hours accepted, the coding editor finished with "&Terminar") to
# "Proceso finalizado", each time leaving with "&Salir".
#   drive_converter.sh native BUILD DIR      the Linux programs of BUILD
#   drive_converter.sh windows BUILD DIR     the Windows programs of BUILD under Wine
# DIR holds dae/ (the DAE files, where fCUADROS.txt is written) and KTEMP/
# (the work folder; on the Windows side it must be C:\KTEMP already).
# Windows are found by their captions: with xdotool on the native side (no
# window manager, so a window's X geometry is its client area; WM_NAME is
# the caption the program sets), with window-probe (Win32 calls) on the
# Windows side, where Wine draws the frames in its virtual desktop at the
# screen's top left corner and a caption is as Qt shows it, with the
# program's name added.
# With SCREENSHOTS set to a folder, each step's windows are saved there as
# pictures, and the help and a code list are opened (and closed) on the way.
set -euo pipefail
side=$1
build=$(realpath "$2")
dir=$(realpath "$3")
root=$(cd "$(dirname "$0")/../.." && pwd)
main_title="Exportar e importar datos entre Orvalin y DAE"

if [ "$side" = windows ]; then
  ext=.exe
  run=(wine)
  folder() { winepath -w "$1"; }
else
  ext=""
  run=()
  folder() { echo "$1"; }
  export TRANSORVALDAE_WORK_FOLDER=$dir/KTEMP
fi
converter=$build/src/app/transorvaldae$ext
cli=$build/src/cli/transorvaldae-cli$ext
host_stub=$build/tools/host_stub/host-stub$ext
probe=$build/tests/windows/window-probe.exe
export TRANSORVALDAE_BACKUP_FOLDER
TRANSORVALDAE_BACKUP_FOLDER=$(folder "$dir/copias")
app=""
trap '[ -z "$app" ] || kill "$app" 2>/dev/null || true' EXIT

fail() {
  echo "FAIL ($side): $*" >&2
  if [ -s "$dir/converter.log" ]; then
    echo "The converter's output:" >&2
    tail -n 20 "$dir/converter.log" >&2
  fi
  exit 1
}

# The caption Windows shows for the caption $1: Qt adds " - TransOrvalDAE",
# the program's name, unless the caption already ends with it (the message
# boxes).
shown_caption() {
  if [[ $1 == *TransOrvalDAE ]]; then echo "$1"; else echo "$1 - TransOrvalDAE"; fi
}

# Sets X and Y to the screen position of the client area of the window
# captioned $1 (exactly), waiting up to 60 s for it.
locate() {
  local found
  if [ "$side" = windows ]; then
    found=$(wine "$probe" find "$(shown_caption "$1")") || fail "no window \"$1\""
    X=${found##*client=}
    Y=${X#*,}
    X=${X%,*}
  else
    for _ in $(seq 300); do
      found=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -n 1) && [ -n "$found" ] && break
      sleep 0.2
    done
    [ -n "$found" ] || fail "no window \"$1\""
    eval "$(xdotool getwindowgeometry --shell "$found")"
    xdotool windowfocus --sync "$found" 2>/dev/null || true
  fi
}

# Sets FX, FY, FW and FH to the screen area of the window captioned $1,
# its frame included.
frame() {
  if [ "$side" = windows ]; then
    local found
    found=$(wine "$probe" find "$(shown_caption "$1")") || fail "no window \"$1\""
    read -r FX FY FW FH < <(sed 's/.* x=\(-*[0-9]*\) y=\(-*[0-9]*\) width=\([0-9]*\) height=\([0-9]*\) .*/\1 \2 \3 \4/' <<<"$found")
  else
    locate "$1"
    FX=$X FY=$Y FW=$WIDTH FH=$HEIGHT
  fi
}

# With SCREENSHOTS: saves the screen area of the windows captioned $2...
# (default: the main window) as SCREENSHOTS/$1.png.
shot() {
  [ -n "${SCREENSHOTS:-}" ] || return 0
  local name=$1 title left=100000 top=100000 right=0 bottom=0
  shift
  [ $# -gt 0 ] || set -- "$main_title"
  for title in "$@"; do
    frame "$title"
    ((FX < left)) && left=$FX
    ((FY < top)) && top=$FY
    ((FX + FW > right)) && right=$((FX + FW))
    ((FY + FH > bottom)) && bottom=$((FY + FH))
  done
  import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$SCREENSHOTS/$name.png"
}
# With SCREENSHOTS: saves the whole screen (a pop-up list has no caption to find it by).
shot_screen() {
  [ -n "${SCREENSHOTS:-}" ] || return 0
  import -window root "$SCREENSHOTS/$1.png"
}

# The window's effects are not signalled to this script: each step gets time.
settle() { sleep "${SETTLE:-1.5}"; }
click() {  # x y: a click in the client area of the window located last
  xdotool mousemove --sync $((X + $1)) $((Y + $2)) click 1
  settle
}
answer() {  # caption: presses Return in that box, its default button
  locate "$1"
  xdotool key Return
  settle
}
start_converter() {
  (cd "$dir/dae" && exec "${run[@]}" "$converter") >>"$dir/converter.log" 2>&1 &
  app=$!
  locate "$main_title"
  settle
}
leave() {  # "&Salir", and the converter ends
  locate "$main_title"
  click 524 232
  wait "$app" || fail "the converter ended with an error"
  app=""
}

# The levels of an earlier export, which the levels step offers back.
printf '0400;ESO;DBH\n0500;BACH;BATX\n' >"$dir/levels.txt"
"${run[@]}" "$cli" export --dae-folder "$(folder "$dir/dae")" --levels "$(folder "$dir/levels.txt")" >/dev/null ||
  fail "the batch export that prepares the levels failed"

start_converter
shot 1-start
click 132 84                  # the export area's OK
shot 2-centre
click 274 229                 # the centre panel's OK
levels_question="Recuperación de Niveles y Cursos importados anteriormente"
shot 3-levels-question "$main_title" "$levels_question"
answer "$levels_question"
shot 4-levels
locate "$main_title"
click 538 251                 # the levels' "Aceptar"
click 147 127                 # the second hour template
shot 5-templates
click 310 197                 # the template panel's OK
shot 6-finished "$main_title" TransOrvalDAE
answer TransOrvalDAE          # "Proceso finalizado"
leave

"${run[@]}" "$host_stub" solve >/dev/null || fail "host-stub solve failed"

start_converter
click 429 84                  # the import area's OK
hours="Control de Plantilla Horaria"
shot 7-class-hours "$main_title" "$hours"
if [ -n "${SCREENSHOTS:-}" ]; then
  locate "$hours"
  xdotool key F1              # the help on the hours grid
  settle
  shot 8-help Ayuda
  xdotool key Escape
  settle
fi
locate "$hours"
click 529 277                 # "Aceptar"
editor="CODIFICACIÓN Datos DAE"
shot 9-coding-editor "$editor"
locate "$editor"
if [ -n "${SCREENSHOTS:-}" ]; then
  xdotool key d               # a letter in the document-type cell opens its code list
  settle
  shot_screen 10-coding-list
  xdotool key Escape Escape
  settle
fi
xdotool key alt+t             # "&Terminar"
settle
shot 11-import-done "$main_title" TransOrvalDAE
answer TransOrvalDAE          # "Proceso finalizado"
leave
[ -s "$dir/dae/fCUADROS.txt" ] || fail "no fCUADROS.txt"
echo "PASS ($side): both directions through the windows to \"Proceso finalizado\""
