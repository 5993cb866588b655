#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures Debian's qtbase source for 64-bit Windows (mingw-w64) as scripts/windows-kit.sh builds
# it: SRC, BUILD, TOOLCHAIN and PREFIX name the source, the build folder, the cross toolchain file
# and the install prefix. Only what the program and its tests use: Core, Gui, Widgets, Test and
# the windows, offscreen and minimal platform plugins.
# Learnt the hard way, each cost a rebuild: without direct2d the windows plugin does not link (keep
# it, turn direct2d1_1 off); the source has no wintab, so no tablet events; turning OpenGL off
# needs INPUT_opengl=no as well, or dynamic OpenGL stays on.
set -e
exec nice -n 19 cmake -S "$SRC" -B "$BUILD" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
    -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_SHARED_LIBS=ON \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_pkg_config=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
    -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF -DFEATURE_printsupport=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
    -DFEATURE_direct2d=ON -DFEATURE_direct2d1_1=OFF -DFEATURE_tabletevent=OFF \
    -DFEATURE_icu=OFF -DFEATURE_glib=OFF -DFEATURE_zstd=OFF -DFEATURE_jpeg=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF \
    -DFEATURE_system_doubleconversion=OFF \
    -DFEATURE_freetype=ON -DFEATURE_harfbuzz=ON \
    "$@"
