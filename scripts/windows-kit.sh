#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the kit the Windows build needs, for x86_64-w64-mingw32 with Debian's mingw-w64 (the POSIX
# threads flavour): Qt 6 (Core, Gui, Widgets, Test and their platform plugins), libisofs and
# GoogleTest, all installed into one prefix, cached: a part already made with the same recipe is
# kept.
#
#   scripts/windows-kit.sh [--kit DIR] [--qt-archive FILE]
#
# DIR (or VANTREL_WINDOWS_KIT) is the cache folder, build/windows-kit by default; the prefix is
# DIR/qt. FILE (or VANTREL_QT_ARCHIVE) is a prebuilt Qt archive of this recipe (a tar.xz whose top
# folder is kit/), by default the shared one beside the repository where there is one: it is
# unpacked instead of building Qt, which saves about an hour. Without it Qt is built from
# `apt-get source qt6-base` (a deb-src entry is added when the system has none).
# Prints the time each step took; the last line is the prefix, for
# -DCMAKE_TOOLCHAIN_FILE=<prefix>/lib/cmake/Qt6/qt.toolchain.cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

kit=${VANTREL_WINDOWS_KIT:-$repo/build/windows-kit}
qt_archive=${VANTREL_QT_ARCHIVE:-}
while [ $# -gt 0 ]; do
    case $1 in
    --kit)
        kit=$2
        shift 2
        ;;
    --qt-archive)
        qt_archive=$2
        shift 2
        ;;
    *)
        echo "usage: $0 [--kit DIR] [--qt-archive FILE]" >&2
        exit 2
        ;;
    esac
done
if [ -z "$qt_archive" ]; then
    for shared in ../shared/windows-kit/qt6.4.2-mingw64-kit.tar.xz \
        /work/shared/windows-kit/qt6.4.2-mingw64-kit.tar.xz; do
        if [ -f "$shared" ]; then
            qt_archive=$(realpath "$shared")
            break
        fi
    done
    [ -n "$qt_archive" ] ||
        echo "no prebuilt Qt archive found: building Qt for Windows from source (about an hour)" >&2
fi
# An archive serves only where Debian's host tools (moc, rcc, uic) are of its Qt version: what a
# later moc writes needs that later Qt's headers (Debian 13's tools are Qt 6.8, the shared
# archive is Debian 12's Qt 6.4.2).
if [ -n "$qt_archive" ] && [ -f "$qt_archive" ]; then
    archive_version=$( (tar -xOJf "$qt_archive" kit/lib/cmake/Qt6/Qt6ConfigVersionImpl.cmake ||
        true) 2>/dev/null | sed -n 's/^set(PACKAGE_VERSION "\(.*\)")$/\1/p')
    host_version=$( (dpkg-query -W -f='${Version}' qt6-base-dev-tools || true) 2>/dev/null |
        sed 's/[+~-].*//')
    if [ "$archive_version" != "$host_version" ]; then
        echo "the Qt archive holds Qt ${archive_version:-of no known version}, the host tools" \
            "are Qt ${host_version:-missing}: building Qt for Windows from source (about an" \
            "hour)" >&2
        qt_archive=
    fi
fi
mkdir -p "$kit"
kit=$(cd "$kit" && pwd)
prefix=$kit/qt
jobs=$(nproc)
toolchain=$repo/cmake/toolchain-mingw-w64.cmake
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

# Each part is stamped with a digest of what made it; a part whose stamp differs is made anew.
recipe_digest() {
    cat "$@" | sha256sum | cut -d' ' -f1
}
is_current() {
    [ -f "$prefix/.stamp-$1" ] && [ "$(cat "$prefix/.stamp-$1")" = "$2" ]
}
timed() {
    local name=$1 start=$SECONDS
    shift
    "$@"
    echo "== windows kit: $name took $((SECONDS - start)) s"
}

ensure_deb_src() {
    grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/ && return
    echo "Adding deb-src entries beside the system's deb entries"
    # The system's entries are in the deb822 form (*.sources), the one-line form (sources.list,
    # *.list: a minimal system made by debootstrap has only that), or both.
    local file stanzas lines
    stanzas=$(for file in /etc/apt/sources.list.d/*.sources; do
        if [ -f "$file" ] && [ "$file" != /etc/apt/sources.list.d/vantrel-deb-src.sources ]; then
            sed 's/^Types: deb$/Types: deb-src/' "$file"
            echo
        fi
    done)
    lines=$( (cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null || true) |
        sed -n 's/^deb \(.*\)$/deb-src \1/p')
    [ -z "$stanzas" ] || echo "$stanzas" |
        "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/vantrel-deb-src.sources >/dev/null
    [ -z "$lines" ] || echo "$lines" |
        "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/vantrel-deb-src.list >/dev/null
    "${sudo_cmd[@]}" apt-get update -qq
}

unpack_qt() {
    rm -rf "$prefix" "$kit/unpack"
    mkdir -p "$kit/unpack"
    tar -xJf "$qt_archive" -C "$kit/unpack"
    mv "$kit/unpack/kit" "$prefix"
    rmdir "$kit/unpack"
}

build_qt() {
    ensure_deb_src
    rm -rf "$prefix" "$kit/qt-src" "$kit/qt-build"
    mkdir -p "$kit/qt-src"
    (cd "$kit/qt-src" && apt-get source -q qt6-base)
    local src
    src=$(find "$kit/qt-src" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
    SRC=$src BUILD=$kit/qt-build TOOLCHAIN=$toolchain PREFIX=$prefix \
        "$repo/cmake/windows-kit-configure-qtbase.sh"
    nice -n 19 ninja -C "$kit/qt-build" -j "$jobs"
    cmake --install "$kit/qt-build"
    # The kit names its toolchain by the path inside the prefix, as the prebuilt archive does.
    cp "$toolchain" "$prefix/toolchain-mingw64.cmake"
    rm -rf "$kit/qt-src" "$kit/qt-build"
}

# libisofs from Debian's source, a static library, with scripts/libisofs-mingw.patch for what
# Windows lacks; the optional parts (ACLs, extended attributes, zlib, libjte) are left out. Its
# off_t has 64 bits, named here since configure's test cannot see it through compat.h; the
# program's sources that include libisofs.h define the same.
build_libisofs() {
    ensure_deb_src
    rm -rf "$kit/isofs-src"
    mkdir -p "$kit/isofs-src"
    (cd "$kit/isofs-src" && apt-get source -q libisofs >/dev/null)
    local src
    src=$(find "$kit/isofs-src" -mindepth 1 -maxdepth 1 -type d -name 'libisofs-*' | head -n 1)
    patch -d "$src" -p1 -s <"$repo/scripts/libisofs-mingw.patch"
    (
        cd "$src"
        LIBISOFS_ASSUME_ICONV=yes ./configure -q --host=x86_64-w64-mingw32 \
            CC=x86_64-w64-mingw32-gcc-posix \
            CFLAGS="-O2 -D_FILE_OFFSET_BITS=64 -I$src/mingw -include $src/mingw/compat.h" \
            --prefix="$prefix" --enable-static --disable-shared --disable-debug --disable-libacl \
            --disable-xattr --disable-zlib --disable-libjte --enable-libdir-pkgconfig
        make -s -j "$jobs" libisofs/libisofs.la
        make -s install-libLTLIBRARIES install-libincludeHEADERS install-nodist_pkgconfigDATA
    ) >/dev/null
    rm -rf "$kit/isofs-src"
}

build_googletest() {
    rm -rf "$kit/gtest-build"
    cmake -S /usr/src/googletest -B "$kit/gtest-build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" -Dgtest_disable_pthreads=OFF >/dev/null
    cmake --build "$kit/gtest-build" -j "$jobs"
    cmake --install "$kit/gtest-build" >/dev/null
    rm -rf "$kit/gtest-build"
}

if [ -n "$qt_archive" ]; then
    [ -f "$qt_archive" ] || {
        echo "The Qt archive $qt_archive does not exist" >&2
        exit 1
    }
    qt_stamp=archive-$(sha256sum "$qt_archive" | cut -d' ' -f1)
    qt_step=unpack_qt
else
    qt_stamp=source-$(recipe_digest "$repo/cmake/windows-kit-configure-qtbase.sh" "$toolchain")
    qt_step=build_qt
fi
if ! is_current qt "$qt_stamp"; then
    timed "Qt ($qt_step)" "$qt_step"
    echo "$qt_stamp" >"$prefix/.stamp-qt"
    rm -f "$prefix/.stamp-googletest" "$prefix/.stamp-libisofs"
fi

gtest_stamp=$(dpkg-query -W -f='${Version}' googletest 2>/dev/null || echo unknown)-$(recipe_digest "$toolchain")
if ! is_current googletest "$gtest_stamp"; then
    timed GoogleTest build_googletest
    echo "$gtest_stamp" >"$prefix/.stamp-googletest"
fi
isofs_stamp=$(apt-cache showsrc libisofs | sed -n 's/^Version: //p' | head -n 1)-$(recipe_digest \
    "$repo/scripts/libisofs-mingw.patch" "$repo/scripts/windows-kit.sh")
if ! is_current libisofs "$isofs_stamp"; then
    timed libisofs build_libisofs
    echo "$isofs_stamp" >"$prefix/.stamp-libisofs"
fi
echo "$prefix"
