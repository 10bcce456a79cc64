# The Wine set-up shared by the Windows build's scripts. Sourced with the
# build folder in $out and the repository in $root; sets:
#   WINEPREFIX  $root/$out/_wine, quiet (WINEDEBUG=-all, which also silences
#               the wrapper's hint about the missing 32-bit Wine), no Mono or
#               Gecko installers, no menu entries on the Linux desktop for
#               what it installs, a UTF-8 locale so that Unix file names and
#               arguments with accents reach the programs intact;
#   WINEPATH    the MinGW runtime DLLs, and Qt's when $qt is set, so that the
#               programs of the build folder run where they were built.
# prepare_wine_prefix creates the prefix once and makes it look like a
# Windows desktop for the windows: Wine's own fonts installed (Debian's Wine 8
# leaves C:\windows\Fonts empty, so Tahoma, the system font, and Marlett, the
# title-bar buttons, are missing), Arial as Arimo (Arial's metrics, as has
# the Liberation Sans that fontconfig offers, which loses its spaces at 11
# pixels under Wine), and one virtual desktop of 1024x768, in which Wine draws the window
# frames and moves the keyboard focus as Windows does, with no window manager.
export WINEPREFIX=$root/$out/_wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" LC_ALL=C.UTF-8
mingw_runtime=(/usr/lib/gcc/x86_64-w64-mingw32/12-posix /usr/x86_64-w64-mingw32/lib)

wine_path_list() {  # Unix folders -> a Windows search path
  local folder list=""
  for folder in "$@"; do list+="${list:+;}Z:${folder//\//\\}"; done
  echo "$list"
}
WINEPATH=$(wine_path_list "${mingw_runtime[@]}" ${qt:+"$qt/bin"})
export WINEPATH

prepare_wine_prefix() {
  [ -f "$WINEPREFIX/.transorvaldae-ready" ] && return 0
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineboot --init >/dev/null 2>&1
  # Only the TrueType fonts that Windows has as TrueType: Wine's outline
  # copies of bitmap fonts (MS Sans Serif, Small Fonts, ...) would stand where
  # Windows has a bitmap font, which Qt leaves out.
  local font
  for font in tahoma tahomabd marlett symbol webdings wingding; do
    cp "/usr/share/wine/fonts/$font.ttf" "$WINEPREFIX/drive_c/windows/Fonts/"
  done
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d Arimo /f >/dev/null
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null
  wineserver -w
  touch "$WINEPREFIX/.transorvaldae-ready"
}
