#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package: a Release build of the two programs, then `cpack -G DEB`. The one
# .deb lands in build/package/ (an older one there is replaced).
#
#   scripts/package.sh            the Release build in build/package/
#   scripts/package.sh BUILD_DIR  packages an existing, complete build instead (CI reuses its own)
set -euo pipefail
cd "$(dirname "$0")/.."
out=$PWD/build/package

# What the build and the packaging need: compilers, CMake, Qt and its lrelease, libisofs,
# GoogleTest for the test programs CMake configures, and dpkg-shlibdeps (dpkg-dev) and file for
# the dependencies.
scripts/install-deps.sh build-essential cmake ninja-build pkg-config qt6-base-dev \
    qt6-base-dev-tools qt6-l10n-tools libgl-dev libisofs-dev libgtest-dev libgmock-dev dpkg-dev file

if [ $# -ge 1 ]; then
    build=$1
else
    build=$out
    # Debian's hardened compiler and linker flags, as a Debian build would use them.
    export DEB_BUILD_MAINT_OPTIONS=hardening=+all
    eval "$(dpkg-buildflags --export=sh)"
    export CXXFLAGS="$CPPFLAGS $CXXFLAGS"
    # Only the programs are built: installing does not wait for the test programs.
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_BUILD_BENCH=OFF \
        -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
    cmake --build "$build" --target vantrel vantrel-divide
fi

mkdir -p "$out"
rm -f "$out"/*.deb
(cd "$build" && cpack -G DEB -B "$out")
# CPack leaves its staging tree beside the package; only the package stays.
rm -rf "$out/_CPack_Packages"
debs=("$out"/*.deb)
echo "Built ${debs[*]}"
