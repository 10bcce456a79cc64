#!/usr/bin/env bash
# Takes the screenshots in docs/screenshots/windows/: the Windows converter of
# build-windows (made by ./test.sh --windows) under Wine, on a virtual X
# server, driven through both directions on a copy of samples/dae by
# tests/windows/drive_converter.sh, which saves each step's windows; then the
# stand-in host's Win32 window with the converter hosted in it.
#   tools/screenshots_windows.sh
# Wine does not draw a window made the child of another process's window: in
# the hosted picture the host's window shows its own background where the
# converter is (its window is there, as the hosting test checks by Win32
# calls); docs/screenshots/8-class-hours.png shows hosting under X11.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
out=build-windows
if [ "${1:-}" != "--inside-xvfb" ]; then
  source scripts/ensure_packages.sh
  ensure_packages imagemagick xvfb xauth xdotool
  [ -x "$out/src/app/transorvaldae.exe" ] || { echo "No Windows build: run ./test.sh --windows first" >&2; exit 1; }
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside-xvfb
fi

qt=$(scripts/qt_windows.sh)
source scripts/wine_env.sh
shots=$root/docs/screenshots/windows
scratch=$(mktemp -d -t transorvaldae-shots.XXXX)
cleanup() {
  rm -f "$WINEPREFIX/drive_c/KTEMP"
  wineserver -k 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
wineserver -k 2>/dev/null || true
prepare_wine_prefix
mkdir -p "$shots" "$scratch/dae" "$scratch/KTEMP"
cp samples/dae/* "$scratch/dae/"
ln -sfn "$scratch/KTEMP" "$WINEPREFIX/drive_c/KTEMP"
SCREENSHOTS=$shots tests/windows/drive_converter.sh windows "$out" "$scratch"

# Hosted: the import, in the stand-in host's window.
probe=$out/tests/windows/window-probe.exe
(cd "$scratch/dae" && exec wine "$root/$out/tools/host_stub/host-stub.exe" launch importar) >"$scratch/host.out" 2>&1 &
stub=$!
host=$(wine "$probe" find "Orvalin (host-stub)")
# The caption as Windows shows it, with the program's name that Qt adds.
child=$(wine "$probe" find "Exportar e importar datos entre Orvalin y DAE - TransOrvalDAE" "$(sed 's/^window=\([0-9A-F]*\).*/\1/' <<<"$host")")
sleep 2
read -r x y width height < <(sed 's/.* x=\([0-9]*\) y=\([0-9]*\) width=\([0-9]*\) height=\([0-9]*\) .*/\1 \2 \3 \4/' <<<"$host")
import -window root -crop "${width}x${height}+$x+$y" +repage "$shots/12-hosted.png"
wine "$probe" close "$(sed 's/^window=\([0-9A-F]*\).*/\1/' <<<"$child")"
wait "$stub" || true
echo "Screenshots in $shots"
