#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Windows delivery on Debian: a Release build of the two programs for Windows
# (mingw-w64 against the kit of scripts/windows-kit.sh), their files gathered into one folder with
# the Qt and compiler libraries they load, then two packages of that folder in build/package/:
#   vantrel-<version>-setup.exe     an installer (NSIS): Program Files, Start menu, uninstaller
#   vantrel-<version>-portable.zip  the same files to unpack anywhere; settings stay beside them
#
#   scripts/package-windows.sh            the Release build in build/package-windows/
#   scripts/package-windows.sh BUILD_DIR  packages an existing, complete Windows build instead
#                                         (CI reuses its own)
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
out=$repo/build/package

scripts/install-deps.sh cmake ninja-build mingw-w64 qt6-base-dev qt6-base-dev-tools \
    qt6-l10n-tools qt6-translations-l10n nsis zip xz-utils
kit=$(scripts/windows-kit.sh | tail -n 1)

if [ $# -ge 1 ]; then
    build=$(realpath "$1")
else
    build=$repo/build/package-windows
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_BUILD_BENCH=OFF \
        -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
        -DCMAKE_TOOLCHAIN_FILE="$kit/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DQT_CHAINLOAD_TOOLCHAIN_FILE="$kit/toolchain-mingw64.cmake" -DQT_HOST_PATH=/usr \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    cmake --build "$build" --target vantrel vantrel-divide vantrel_help vantrel_translations
fi
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")

# The program's folder: what the build installs, the libraries and plugins it loads, the licence.
stage=$build/windows-stage
rm -rf "$stage"
cmake --install "$build" --prefix "$stage" >/dev/null
compiler=x86_64-w64-mingw32-g++-posix
for library in libstdc++-6.dll libgcc_s_seh-1.dll; do
    cp "$($compiler -print-file-name=$library)" "$stage/"
done
cp /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$stage/"
for module in Core Gui Widgets; do
    cp "$kit/bin/Qt6$module.dll" "$stage/"
done
mkdir -p "$stage/platforms" "$stage/styles"
cp "$kit/plugins/platforms/qwindows.dll" "$stage/platforms/"
cp "$kit/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"
cp LICENSE "$stage/LICENSE.txt"
find "$stage" -name '*.exe' -o -name '*.dll' | xargs x86_64-w64-mingw32-strip --strip-unneeded

# The installer removes exactly what it installed: the lists of files and folders are made here,
# from the folder itself.
lists=$build/windows-lists
mkdir -p "$lists"
(
    cd "$stage"
    find . -type f | sort | sed 's|^\./||' | while read -r file; do
        folder=$(dirname "$file")
        [ "$folder" = . ] && folder='$INSTDIR' || folder="\$INSTDIR\\${folder//\//\\}"
        printf 'SetOutPath "%s"\nFile "%s"\n' "$folder" "$stage/$file"
    done >"$lists/files.nsh"
    find . -type f | sort | sed 's|^\./||; s|/|\\|g' |
        sed 's|.*|Delete "$INSTDIR\\&"|' >"$lists/remove-files.nsh"
    find . -type d ! -name . | sort -r | sed 's|^\./||; s|/|\\|g' |
        sed 's|.*|RMDir "$INSTDIR\\&"|' >"$lists/remove-folders.nsh"
)

mkdir -p "$out"
rm -f "$out"/vantrel-*-setup.exe "$out"/vantrel-*-portable.zip
setup=$out/vantrel-$version-setup.exe
size_kb=$(du -sk "$stage" | cut -f1)
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DOUTFILE="$setup" -DLISTS="$lists" \
    -DICON="$repo/resources/icons/vantrel.ico" -DSIZE_KB="$size_kb" packaging/windows/vantrel.nsi

portable=$out/vantrel-$version-portable.zip
rm -rf "$build/windows-portable"
mkdir -p "$build/windows-portable"
cp -r "$stage" "$build/windows-portable/vantrel-$version"
(cd "$build/windows-portable" && zip -q -r -X "$portable" "vantrel-$version")
rm -rf "$build/windows-portable"
echo "Built $setup"
echo "Built $portable"
