#!/usr/bin/env bash
# The Windows build, proved under Wine: builds Qt for MinGW-w64 when its cache
# folder lacks it (scripts/qt_windows.sh), cross-builds everything (the core,
# transorvaldae-cli, host-stub, the windows and all the tests) with MinGW-w64
# in build-windows, runs the core tests under Wine, makes the package
# (scripts/windows_package.sh: build-windows/package/TransOrvalDAE, .zip,
# .msi), runs the round trip on samples/dae (export, host-stub solve, import)
# with the Windows batch programs and with the native ones, requiring every
# work table and fCUADROS.txt to be the same bytes, and then the windows'
# tests under Wine (tests/windows/window_tests.sh). All of it on a virtual X
# server of its own.
#   scripts/windows_build.sh [NATIVE_BUILD]    the native build to compare with
#                                              (default build; built here if needed)
# Everything cached but Qt (GoogleTest for the cross compiler, the Wine
# prefix) lives in build-windows.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ensure_packages.sh

native=${1:-build}
out=build-windows
jobs=$(nproc)
root=$PWD

# fonts-wine and fonts-croscore: Tahoma, Marlett and Arimo for the windows
# under Wine (scripts/wine_env.sh).
ensure_packages "${CORE_PACKAGES[@]}" "${GUI_PACKAGES[@]}" g++-mingw-w64-x86-64 wine wine64 fonts-wine \
  fonts-croscore googletest wixl
if [ -z "${TRANSORVALDAE_WINDOWS_DISPLAY:-}" ]; then
  exec env TRANSORVALDAE_WINDOWS_DISPLAY=1 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

qt=$(scripts/qt_windows.sh)

# GoogleTest from Debian's source package, built once for the cross compiler.
gtest=$out/_googletest
if [ ! -f "$gtest/install/lib/cmake/GTest/GTestConfig.cmake" ]; then
  echo "== GoogleTest for MinGW-w64"
  cmake -S /usr/src/googletest -B "$gtest/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_INSTALL_PREFIX="$root/$gtest/install" >/dev/null
  cmake --build "$gtest/build" -j"$jobs"
  cmake --install "$gtest/build" >/dev/null
fi

source scripts/wine_env.sh
scratch=$(mktemp -d -t transorvaldae-windows.XXXX)
# The runs' safety copies and run log, never the user's (under Wine the Unix
# path is a folder of the prefix's drive C:).
export TRANSORVALDAE_BACKUP_FOLDER=$scratch/copias
cleanup() {
  rm -f "$WINEPREFIX/drive_c/KTEMP" "$WINEPREFIX/drive_c/Datos Educación" "$WINEPREFIX/dosdevices/d:"
  wineserver -k 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
prepare_wine_prefix

echo "== Windows build (MinGW-w64, Qt in $qt)"
# Qt is found under its prefix (a root of the cross build's searches), with
# the moc, rcc and uic of the build machine; test discovery runs the test
# programs under Wine (the toolchain's emulator).
cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_FIND_ROOT_PATH="$qt" -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DGTest_DIR="$root/$gtest/install/lib/cmake/GTest" >/dev/null
cmake --build "$out" -j"$jobs"

echo "== Core tests under Wine"
TRANSORVALDAE_BIN_DIR=$(winepath -w "$root/$out")
export TRANSORVALDAE_BIN_DIR
failed=()
for test in $(find "$out/tests" -name '*.exe' -not -path "$out/tests/app/*" -not -path "$out/tests/windows/*" | sort); do
  echo "-- $test"
  wine "$test" --gtest_brief=1 || failed+=("$test")
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "Failed under Wine: ${failed[*]}" >&2
  exit 1
fi

scripts/windows_package.sh "$out" "$qt"

echo "== Round trip on samples/dae: native and Windows"
cmake -S . -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$native" -j"$jobs" --target transorvaldae-cli host-stub transorvaldae

# The same steps on both sides; the Windows side uses C:\KTEMP (mapped to a
# scratch folder) as its work folder, and reads the DAE files once through a
# folder with accents and writes fCUADROS.txt through a drive root (D:\, so
# that CarpetaDAE ends in two backslashes), both mapped to one scratch folder.
mkdir -p "$scratch/native/dae" "$scratch/native/KTEMP" "$scratch/windows/dae" "$scratch/windows/KTEMP"
cp samples/dae/* "$scratch/native/dae/"
cp samples/dae/* "$scratch/windows/dae/"
ln -sfn "$scratch/windows/KTEMP" "$WINEPREFIX/drive_c/KTEMP"
ln -sfn "$scratch/windows/dae" "$WINEPREFIX/drive_c/Datos Educación"
ln -sfn "$scratch/windows/dae" "$WINEPREFIX/dosdevices/d:"
documents=$scratch/documents.txt

step() {  # side, name, program, arguments...
  local side=$1 name=$2
  shift 2
  local status=0
  "$@" >"$scratch/$side/$name.out" 2>"$scratch/$side/$name.err" || status=$?
  echo "$status" >"$scratch/$side/$name.status"
}

cli=$native/src/cli/transorvaldae-cli
host=$native/tools/host_stub/host-stub
work=$scratch/native/KTEMP
step native export "$cli" export --dae-folder "$scratch/native/dae" --work-folder "$work" --language CASTELLANO
step native solve "$host" solve --work-folder "$work"
# Every teacher gets a made-up identity document, typed in the coding editor.
"$cli" dump PROFT --work-folder "$work" | tail -n +2 |
  awk -F, '{ printf "%s;1;%08d%s\n", $1, NR, substr("TRWAGMYFPDXBNJZSQVHLCKE", (NR % 23) + 1, 1) }' >"$documents"
step native import "$cli" import --dae-folder "$scratch/native/dae" --work-folder "$work" --documents "$documents"
# Accented subject names, printed as UTF-8 on the console.
step native dump "$cli" dump ASIGNOMT --work-folder "$work"

cli=$out/src/cli/transorvaldae-cli.exe
host=$out/tools/host_stub/host-stub.exe
step windows export wine "$cli" export --dae-folder 'C:\Datos Educación' --language CASTELLANO
step windows solve wine "$host" solve
step windows import wine "$cli" import --dae-folder 'D:\' --documents "$(winepath -w "$documents")"
step windows dump wine "$cli" dump ASIGNOMT

# The programs' messages and output (with accents), exit statuses, the work
# folders' files and fCUADROS.txt: the same names and the same bytes.
differences=0
for step in export solve import dump; do
  for part in out err status; do
    if ! cmp -s "$scratch/native/$step.$part" "$scratch/windows/$step.$part"; then
      echo "Differs: $step standard ${part}" >&2
      diff "$scratch/native/$step.$part" "$scratch/windows/$step.$part" | head -n 20 >&2 || true
      differences=1
    fi
  done
done
if ! diff <(ls "$scratch/native/KTEMP") <(ls "$scratch/windows/KTEMP") >&2; then
  echo "Differs: the files in the work folder" >&2
  differences=1
fi
compared=0
for file in "$scratch"/native/KTEMP/* "$scratch/native/dae/fCUADROS.txt"; do
  other=$scratch/windows/${file#"$scratch/native/"}
  if ! cmp "$file" "$other" >&2; then
    differences=1
  fi
  compared=$((compared + 1))
done
if [ ! -s "$scratch/native/dae/fCUADROS.txt" ] || [ "$(cat "$scratch/native/import.status")" != 0 ] ||
  ! grep -q 'á' "$scratch/native/dump.out"; then
  echo "The native round trip did not end well:" >&2
  cat "$scratch/native/import.out" "$scratch/native/import.err" >&2
  differences=1
fi
if [ "$differences" -ne 0 ]; then
  echo "The Windows round trip differs from the native one" >&2
  exit 1
fi
echo "Windows round trip: $compared files byte-identical to the native ones (every work table and fCUADROS.txt)"

tests/windows/window_tests.sh "$out" "$native" "$qt"
