#!/usr/bin/env bash
# Builds Qt (qtbase: Core, Gui, Widgets, Test, the windows platform plug-in and
# the windowsvista style) for 64-bit Windows with the MinGW-w64 toolchain of the
# Windows build, from Debian's own source package qt6-base at the version of the
# installed host tools (qt6-base-dev, whose moc, rcc and uic the cross build
# uses), and installs it into a cache folder outside the checkout, reused when
# present:
#   ${TRANSORVALDAE_CACHE:-~/.cache/transorvaldae}/qt-VERSION-mingw64-HASH
# HASH covers this script, the toolchain file, the compiler's and the host
# tools' versions. Prints that folder on its last line. The steps and the whole
# output go to the log beside it (qt-VERSION-mingw64-HASH.log); a failure names
# the step and shows the end of the log.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/ensure_packages.sh"

ensure_packages cmake ninja-build perl dpkg-dev g++-mingw-w64-x86-64 qt6-base-dev qt6-base-dev-tools

toolchain=$root/cmake/mingw-w64.cmake
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
upstream=${version%%+*}
hash=$({
  cat "$0" "$toolchain"
  x86_64-w64-mingw32-g++-posix --version
  dpkg-query -W -f='${Package} ${Version}\n' qt6-base-dev qt6-base-dev-tools mingw-w64-x86-64-dev cmake
} | sha256sum | cut -c1-12)
cache=${TRANSORVALDAE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/transorvaldae}
prefix=$cache/qt-$upstream-mingw64-$hash
log=$prefix.log
mkdir -p "$cache"

# One build at a time per cache folder; a second caller waits and reuses it.
exec 9>"$prefix.lock"
flock 9
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

: >"$log"
step() {  # name, command...
  local name=$1
  shift
  echo "== $(date +%T) $name" | tee -a "$log" >&2
  if ! "$@" >>"$log" 2>&1; then
    echo "Qt for Windows: the step \"$name\" failed; the log is $log. Its end:" >&2
    tail -n 30 "$log" >&2
    exit 1
  fi
}

# apt-get source needs deb-src entries: the same Debian archives the machine
# already installs from, in a file of this script's own.
add_source_entries() {
  local lists=/etc/apt/sources.list.d/transorvaldae-deb-src
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  local file
  for file in /etc/apt/sources.list.d/*.sources; do
    [ "$file" = "$lists.sources" ] && continue
    # deb822 stanzas of "Types: deb" from a Debian archive, enabled.
    awk 'BEGIN { RS = ""; ORS = "\n\n" }
         /(^|\n)Types:[^\n]*deb/ && /(^|\n)URIs:[^\n]*debian/ && !/(^|\n)Enabled: *no/ {
           sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print }' "$file"
  done | $sudo tee "$lists.sources" >/dev/null
  if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb \(.*debian.*\)$/deb-src \1/p' /etc/apt/sources.list | $sudo tee "$lists.list" >/dev/null
  fi
  $sudo apt-get update
}

has_source() {
  apt-cache showsrc qt6-base 2>/dev/null | grep -qx "Version: $version"
}

work=$cache/_build-$hash
echo "Building Qt $upstream for Windows into $prefix (about 20 minutes on 2 cores; progress in $log)" >&2
has_source || step "add deb-src entries for apt-get source" add_source_entries
rm -rf "$work" "$prefix.partial"
# When the caller compiles through ccache, paths relative to the work folder
# let its results serve a later cache key too.
export CCACHE_BASEDIR=$work CCACHE_SLOPPINESS=pch_defines,time_macros
mkdir -p "$work"
cd "$work"
step "fetch the source package qt6-base $version" apt-get source "qt6-base=$version"
source_dir=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
[ -n "$source_dir" ] || step "find the unpacked source" false

# A minimal shared qtbase. Direct2D stays on: without it, 6.4.2's windows
# plug-in still refers to the DirectWrite font database and fails to link;
# Direct2D 1.1 is off, which leaves out the second, Direct2D platform plug-in.
# Tablet events are off, as the Debian source drops the wintab headers. Parts
# the windows do not use (graphics view, ODF and Markdown text, undo) are off
# to shorten the build.
configure=(cmake -S "$source_dir" -B "$work/build" -G Ninja
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
  -DCMAKE_INSTALL_PREFIX="$prefix.partial"
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
  -DINPUT_opengl=no -DFEATURE_vulkan=OFF -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_testlib=ON
  -DFEATURE_zstd=OFF -DFEATURE_icu=OFF -DFEATURE_freetype=OFF -DFEATURE_fontconfig=OFF -DFEATURE_jpeg=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_png=ON -DFEATURE_system_png=OFF -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_libb2=OFF
  -DFEATURE_tabletevent=OFF -DFEATURE_direct2d=ON -DFEATURE_direct2d1_1=OFF -DFEATURE_graphicsview=OFF
  -DFEATURE_textodfwriter=OFF -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF
  -DFEATURE_undocommand=OFF)
echo "Configure line: ${configure[*]}" >>"$log"
step "configure" "${configure[@]}"
step "build (ninja's progress in the log)" cmake --build "$work/build" -j"$(nproc)"
step "install" cmake --install "$work/build" --strip
mv "$prefix.partial" "$prefix"
touch "$prefix/.complete"
rm -rf "$work"
echo "== $(date +%T) done: $prefix" | tee -a "$log" >&2
echo "$prefix"
