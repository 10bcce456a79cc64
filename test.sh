#!/usr/bin/env bash
# Builds everything and runs every test: a normal build, a second build with
# AddressSanitizer and UndefinedBehaviorSanitizer, and the fuzz targets.
#   ./test.sh            all of it
#   ./test.sh --quick    the normal build only
#   ./test.sh --bench    only the benchmark (Release build in build-bench, x1, x10, x100)
#   ./test.sh --windows  only the Windows build (MinGW-w64, in build-windows), its tests
#                        and the round trip under Wine, compared with the native build's
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure_packages.sh

quick=0
bench=0
windows=0
for arg in "$@"; do
  case "$arg" in
    --quick) quick=1 ;;
    --bench) bench=1 ;;
    --windows) windows=1 ;;
    *) echo "usage: ./test.sh [--quick | --bench | --windows]" >&2; exit 2 ;;
  esac
done

if [ "$windows" -eq 1 ]; then
  exec scripts/windows_build.sh build
fi

ensure_packages "${CORE_PACKAGES[@]}" clang libclang-rt-14-dev clang-format
ensure_packages "${GUI_PACKAGES[@]}"

echo "== Format"
scripts/check_format.sh

echo "== Layers"
scripts/check_layers.sh

jobs=$(nproc)

build_and_test() {  # folder, cmake options...
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
  QT_QPA_PLATFORM=offscreen ctest --test-dir "$dir" --output-on-failure -j"$jobs"
}

if [ "$bench" -eq 1 ]; then
  echo "== Benchmark"
  cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRANSORVALDAE_TESTS=OFF >/dev/null
  cmake --build build-bench -j"$jobs" --target transorvaldae-bench
  build-bench/bench/transorvaldae-bench --scales 1,10,100
  exit 0
fi

echo "== Build and tests"
build_and_test build -DCMAKE_BUILD_TYPE=RelWithDebInfo

[ "$quick" -eq 1 ] && exit 0

echo "== Build and tests with AddressSanitizer and UndefinedBehaviorSanitizer"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  build_and_test build-asan -DCMAKE_BUILD_TYPE=Debug -DTRANSORVALDAE_SANITIZE=ON

echo "== Fuzz targets"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTRANSORVALDAE_FUZZ=ON -DTRANSORVALDAE_TESTS=OFF >/dev/null
cmake --build build-fuzz -j"$jobs" --target fuzz_all
scripts/run_fuzzers.sh build-fuzz "${FUZZ_SECONDS:-30}"
