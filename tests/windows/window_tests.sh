#!/usr/bin/env bash
# The windows of the Windows build, under Wine on an X display (a virtual one:
# scripts/windows_build.sh runs this under xvfb-run):
#   1. the Qt Test suites of the windows (tests/app), on Qt's windows platform;
#   2. the converter started standalone shows its main window, and both
#      directions driven through its windows (drive_converter.sh) leave every
#      work table and fCUADROS.txt byte-identical to the native converter's,
#      driven the same way;
#   3. hosting: `host-stub launch exportar` makes the converter's window a
#      visible child of the host's window at (2, 2), 598x270 (Win32 calls), and
#      a WM_CLOSE posted to it hands over 0 in Orvalin.ini beside the converter.
#      Wine does not draw a window made the child of another process's window,
#      so the hosted window cannot be looked at or clicked here: the hand-overs
#      after clicks (-1, 1) are tested on Linux (tests/app/hosting_test.sh);
#   4. the installer: TransOrvalDAE.msi installs with msiexec /qn into a chosen
#      folder that already holds the host's Orvalin.ini, with a Start-menu entry;
#      the installed converter starts from there with no other DLL search path;
#      the uninstall removes what was installed and leaves Orvalin.ini.
#   tests/windows/window_tests.sh BUILD NATIVE_BUILD QT_PREFIX
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
out=$1
native=$2
qt=$3
source scripts/wine_env.sh
probe=$out/tests/windows/window-probe.exe
# The main window's caption as Windows shows it: Qt adds the program's name.
main_title="Exportar e importar datos entre Orvalin y DAE - TransOrvalDAE"
scratch=$(mktemp -d -t transorvaldae-windows-gui.XXXX)
cleanup() {
  rm -f "$WINEPREFIX/drive_c/KTEMP"
  wineserver -k 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
wineserver -k 2>/dev/null || true
prepare_wine_prefix

echo "== Qt Test suites of the windows under Wine"
# Qt Test writes nothing to a pipe under Wine: each suite reports into a file.
TRANSORVALDAE_BIN_DIR=$(winepath -w "$root/$out")
export TRANSORVALDAE_BIN_DIR
failed=()
for suite in "$out"/tests/app/*.exe; do
  name=$(basename "$suite" .exe)
  status=0
  wine "$suite" -o "$(winepath -w "$scratch")\\$name.txt,txt" >/dev/null 2>&1 || status=$?
  echo "-- $name: $(grep '^Totals' "$scratch/$name.txt" || echo "no result (status $status)")"
  if [ "$status" -ne 0 ]; then
    grep -A3 '^FAIL' "$scratch/$name.txt" >&2 || true
    failed+=("$name")
  fi
done
[ ${#failed[@]} -eq 0 ] || fail "window suites failed under Wine: ${failed[*]}"

echo "== Both directions through the windows: native and under Wine"
for side in native windows; do
  mkdir -p "$scratch/$side/dae" "$scratch/$side/KTEMP"
  cp samples/dae/* "$scratch/$side/dae/"
done
ln -sfn "$scratch/windows/KTEMP" "$WINEPREFIX/drive_c/KTEMP"
QT_QPA_PLATFORM=xcb tests/windows/drive_converter.sh native "$native" "$scratch/native"
tests/windows/drive_converter.sh windows "$out" "$scratch/windows"
diff <(ls "$scratch/native/KTEMP") <(ls "$scratch/windows/KTEMP") >&2 || fail "the work folders hold other files"
compared=0
for file in "$scratch"/native/KTEMP/* "$scratch/native/dae/fCUADROS.txt"; do
  cmp "$file" "$scratch/windows/${file#"$scratch/native/"}" >&2 || fail "the windows under Wine wrote other bytes"
  compared=$((compared + 1))
done
echo "PASS: $compared files (every work table and fCUADROS.txt) byte-identical to the native windows' ones"

echo "== Hosted in the stand-in host's Win32 window"
# A copy of the package, so that its Orvalin.ini is this test's own, and no
# DLL search path: the package must hold every DLL it needs.
cp -r "$out/package/TransOrvalDAE" "$scratch/hosted"
(
  cd "$scratch/windows/dae"
  WINEPATH="" exec wine "$scratch/hosted/host-stub.exe" launch exportar "$(winepath -w "$scratch/hosted/transorvaldae.exe")"
) >"$scratch/host.out" 2>"$scratch/host.err" &
stub=$!
for _ in $(seq 100); do
  grep -q '^host-window=' "$scratch/host.out" && break
  sleep 0.3
done
host=$(sed -n 's/^host-window=//p' "$scratch/host.out")
[ -n "$host" ] || fail "host-stub printed no host window"
child=$(wine "$probe" find "$main_title" "$host") || fail "no converter window inside the host window $host"
echo "$child"
[[ $child =~ parent=$host\ x=2\ y=2\ width=598\ height=270 ]] ||
  fail "the converter's window is not a 598x270 child of $host at (2, 2)"
sleep 1
wine "$probe" close "$(sed 's/^window=\([0-9A-F]*\).*/\1/' <<<"$child")"
status=0
wait "$stub" || status=$?
cat "$scratch/host.out"
[ "$status" -eq 0 ] || fail "host-stub ended with status $status: $(cat "$scratch/host.err")"
grep -qx 'Transformado=0' "$scratch/host.out" || fail "the host did not get Transformado=0"
printf '[Transformadores]\r\nTransformado=0\r\n' | cmp - "$scratch/hosted/Orvalin.ini" >&2 ||
  fail "Orvalin.ini beside the converter is not the hand-over of 0"
echo "PASS: embedded at (2, 2), 598x270, in the host's window; WM_CLOSE handed over 0 in Orvalin.ini"

echo "== The installer"
msi=$(winepath -w "$out/package/TransOrvalDAE.msi")
orvalin=$WINEPREFIX/drive_c/Escuela/Orvalin
rm -rf "$WINEPREFIX/drive_c/Escuela"
mkdir -p "$orvalin"
printf '[Orvalin]\r\nCurso=2024\r\n' >"$orvalin/Orvalin.ini"
WINEPATH="" wine msiexec /i "$msi" /qn 'INSTALLDIR=C:\Escuela\Orvalin' || fail "msiexec /i failed"
for file in $(cd "$out/package/TransOrvalDAE" && find . -type f); do
  cmp "$out/package/TransOrvalDAE/$file" "$orvalin/$file" || fail "not installed: $file"
done
shortcut=$(find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/TransOrvalDAE/TransOrvalDAE.lnk' | head -n 1)
[ -n "$shortcut" ] || fail "no Start-menu entry"
(cd "$orvalin" && WINEPATH="" exec wine 'C:\Escuela\Orvalin\transorvaldae.exe') >/dev/null 2>&1 &
installed=$!
window=$(wine "$probe" find "$main_title") || fail "the installed converter shows no window"
wine "$probe" close "$(sed 's/^window=\([0-9A-F]*\).*/\1/' <<<"$window")"
wait "$installed" || fail "the installed converter ended with an error"
WINEPATH="" wine msiexec /x "$msi" /qn || fail "msiexec /x failed"
[ "$(ls -A "$orvalin")" = Orvalin.ini ] || fail "the uninstall left $(ls -A "$orvalin" | tr '\n' ' ')"
[ ! -e "$shortcut" ] || fail "the uninstall left the Start-menu entry"
echo "PASS: installed into C:\\Escuela\\Orvalin with a Start-menu entry, started, uninstalled leaving Orvalin.ini"
