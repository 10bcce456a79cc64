#!/usr/bin/env bash
# The Windows package, from the Windows build: the folder
# BUILD/package/TransOrvalDAE (the three programs, the Qt DLLs and the plug-ins
# they load, the MinGW runtime DLLs, the help pages), the same folder as
# TransOrvalDAE.zip, and the installer TransOrvalDAE.msi (wixl, from
# packaging/TransOrvalDAE.wxs). No windeployqt is built when Qt is
# cross-built, so the DLL list is written here, and checked: every DLL that a
# program or DLL of the folder imports must be in the folder or be part of
# Windows (in the Wine prefix's system32, or an API set, api-ms-win-*, which
# Windows resolves itself).
#   scripts/windows_package.sh BUILD QT_PREFIX
set -euo pipefail
cd "$(dirname "$0")/.."
out=$1
qt=$2
package=$out/package
folder=$package/TransOrvalDAE
root=$PWD
source scripts/wine_env.sh

echo "== Package (folder, zip, MSI)"
rm -rf "$package"
mkdir -p "$folder/platforms" "$folder/styles" "$folder/help"
cp "$out/src/app/transorvaldae.exe" "$out/src/cli/transorvaldae-cli.exe" "$out/tools/host_stub/host-stub.exe" \
  "$folder/"
cp "$qt/bin/Qt6Core.dll" "$qt/bin/Qt6Gui.dll" "$qt/bin/Qt6Widgets.dll" "$folder/"
cp "$qt/plugins/platforms/qwindows.dll" "$folder/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$folder/styles/"
for dll in libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll; do
  find "${mingw_runtime[@]}" -maxdepth 1 -name "$dll" -exec cp {} "$folder/" \; -quit
done
cp "$out"/src/app/help/*.html "$folder/help/"
find "$folder" \( -name '*.exe' -o -name '*.dll' \) -exec x86_64-w64-mingw32-strip --strip-unneeded {} +

missing=0
while read -r binary; do
  for dll in $(x86_64-w64-mingw32-objdump -p "$binary" | sed -n 's/^\s*DLL Name: //p' | grep -iv '^api-ms-win-'); do
    if [ -z "$(find "$folder" "$WINEPREFIX/drive_c/windows/system32" -maxdepth 1 -iname "$dll" -print -quit)" ]; then
      echo "${binary#"$folder/"} needs $dll, which is neither in the package nor part of Windows" >&2
      missing=1
    fi
  done
done < <(find "$folder" \( -name '*.exe' -o -name '*.dll' \))
[ "$missing" -eq 0 ] || exit 1

(cd "$package" && cmake -E tar cf TransOrvalDAE.zip --format=zip TransOrvalDAE)
find "$folder" -type f | sort |
  wixl-heat -p "$folder/" --directory-ref INSTALLDIR --component-group PackageFiles --var var.SourceDir |
  sed 's/<Component /<Component Win64="yes" /' >"$package/files.wxs"  # 64-bit programs, 64-bit components
wixl -a x64 -D SourceDir="$folder" -o "$package/TransOrvalDAE.msi" packaging/TransOrvalDAE.wxs "$package/files.wxs"
rm "$package/files.wxs"
echo "Package: $folder ($(du -sh "$folder" | cut -f1)), TransOrvalDAE.zip ($(du -h "$package/TransOrvalDAE.zip" | cut -f1)), TransOrvalDAE.msi ($(du -h "$package/TransOrvalDAE.msi" | cut -f1))"
