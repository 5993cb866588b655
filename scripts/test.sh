#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up, builds and runs every test: the player exchange cross-compiled for Windows and its host
# tested under wine, the program cross-compiled for Windows and its tests under wine (its window
# offscreen), a plain build with warnings as errors, the Windows installer installed, started and
# removed under wine, then the same tests under the address and undefined-behaviour
# sanitizers, then the division's tests under the thread sanitizer, then a one-minute smoke run of
# each fuzz target (clang, libFuzzer). Checks the formatting and the licence lines first, with
# clang-format 14 where the release has it; packages the plain build and checks the package.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

# The sources are formatted with clang-format 14; later versions lay out some lines differently,
# so only that version can check them.
echo "== formatting"
if command -v clang-format-14 >/dev/null; then
    git ls-files '*.cpp' '*.h' | xargs clang-format-14 --dry-run --Werror
else
    echo "skipped: clang-format 14, the version the sources are formatted with, is not" \
        "available on this release; the tests still run"
fi

build_and_test() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja -DVANTREL_WERROR=ON "$@"
    cmake --build "$dir" -j "$jobs"
}

echo "== the English translation is complete"
# Every text of the window has a finished English translation (lupdate on a copy, then lrelease).
scripts/update-translations.sh --check

echo "== licence lines"
# Every source, build and script file names its licence in its first lines.
unlicensed=$(git ls-files '*.cpp' '*.h' '*CMakeLists.txt' '*.cmake' 'scripts/*.sh' |
    while read -r file; do
        head -n 3 "$file" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later' || echo "$file"
    done)
if [ -n "$unlicensed" ]; then
    echo "These files lack the line 'SPDX-License-Identifier: GPL-3.0-or-later' at the top:" >&2
    echo "$unlicensed" >&2
    exit 1
fi

echo "== the player exchange cross-compiled for Windows (mingw-w64), its host tested under wine"
cmake -S winamp/windows -B build/ci-mingw -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-mingw-w64.cmake"
cmake --build build/ci-mingw -j "$jobs"
# A wine prefix of its own, made once (about 30 s); wine shows the windows on a virtual display.
# The test sends to a hung player on purpose: about 12 s.
(
    export WINEPREFIX="$PWD/build/ci-wine" WINEDEBUG=-all
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        timeout 300 wineboot --init
        timeout 300 wineserver --wait
    fi
    timeout 300 xvfb-run -a wine build/ci-mingw/vantrel_winamp_windows_tests.exe
    wineserver --kill
)

echo "== the program for Windows (mingw-w64 against the Windows kit), its tests under wine"
# The kit is made once into build/windows-kit: from the prebuilt Qt archive where there is one
# (VANTREL_QT_ARCHIVE, or the shared one beside the repository), which takes about a minute;
# otherwise Qt is built from Debian's source, which takes about an hour.
kit=$(scripts/windows-kit.sh | tail -n 1)
(
    export WINEPREFIX="$PWD/build/ci-wine" WINEDEBUG=-all
    build_and_test build/ci-windows -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_BUILD_BENCH=OFF \
        -DCMAKE_TOOLCHAIN_FILE="$kit/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DQT_CHAINLOAD_TOOLCHAIN_FILE="$kit/toolchain-mingw64.cmake" -DQT_HOST_PATH=/usr \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    ctest --test-dir build/ci-windows --output-on-failure -j "$jobs"
    wineserver --kill || true  # it may have ended on its own already
)

echo "== plain build"
build_and_test build/ci-plain -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir build/ci-plain --output-on-failure -j "$jobs"

echo "== the Windows tool under wine plans and copies as the Linux tool does"
(
    export WINEPREFIX="$PWD/build/ci-wine" WINEDEBUG=-all
    tests/tools/windows-tool-test.sh build/ci-plain/tools/vantrel-divide \
        build/ci-windows/wine-run.sh build/ci-windows/tools/vantrel-divide.exe
    wineserver --kill || true  # it may have ended on its own already
)

echo "== the Windows installer and portable copy: installed, started and removed under wine"
scripts/package-windows.sh build/ci-windows
tests/install/windows-installer-test.sh build/package/vantrel-*-setup.exe \
    build/package/vantrel-*-portable.zip build/package/windows-window.png

echo "== the Debian package of the plain build, its desktop entry and AppStream metadata"
scripts/package.sh build/ci-plain
# Any error or warning fails; lintian's informational notes do not.
lintian --fail-on error,warning build/package/*.deb
appstreamcli validate --no-net resources/org.vantrel.Vantrel.metainfo.xml
desktop-file-validate resources/org.vantrel.Vantrel.desktop

echo "== address and undefined-behaviour sanitizers"
build_and_test build/ci-asan -DCMAKE_BUILD_TYPE=Debug "-DVANTREL_SANITIZE=address;undefined" \
    -DVANTREL_BUILD_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build/ci-asan --output-on-failure -j "$jobs"

echo "== thread sanitizer"
build_and_test build/ci-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_SANITIZE=thread \
    -DVANTREL_BUILD_BENCH=OFF -DVANTREL_BUILD_APP=OFF
TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build/ci-tsan --output-on-failure -j "$jobs" \
    -L threads

echo "== fuzz targets, 60 seconds each"
# clang builds only the fuzz targets here: warnings are the gcc builds' business above.
cmake -S . -B build/ci-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DVANTREL_FUZZ=ON -DVANTREL_BUILD_APP=OFF \
    -DVANTREL_BUILD_BENCH=OFF
cmake --build build/ci-fuzz -j "$jobs" --target vantrel_fuzz_playlist vantrel_fuzz_divide_command
fuzz_smoke() {
    local target=$1
    shift
    local corpus
    corpus=$(mktemp -d)
    # A crash, a leak, a time-out of one input or a sanitizer report ends the run non-zero; the
    # input that did it is kept beside the target. New inputs go to a scratch corpus, never into
    # the seeds.
    "build/ci-fuzz/tests/fuzz/$target" -max_total_time=60 -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="build/ci-fuzz/$target-" "$corpus" "$@"
    rm -rf "$corpus"
}
fuzz_smoke vantrel_fuzz_playlist
fuzz_smoke vantrel_fuzz_divide_command -dict=tests/fuzz/DivideCommand.dict \
    tests/fuzz/seeds/DivideCommand
echo "== all tests passed"
