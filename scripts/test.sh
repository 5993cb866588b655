#!/usr/bin/env bash
# Sets up, builds and runs every test: a plain build with warnings as errors, then the same
# tests under the address and undefined-behaviour sanitizers, then the division's tests under
# the thread sanitizer. Checks the formatting first, with clang-format 14 where the release has it.
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

echo "== plain build"
build_and_test build/ci-plain -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir build/ci-plain --output-on-failure -j "$jobs"

echo "== address and undefined-behaviour sanitizers"
build_and_test build/ci-asan -DCMAKE_BUILD_TYPE=Debug "-DVANTREL_SANITIZE=address;undefined" \
    -DVANTREL_BUILD_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build/ci-asan --output-on-failure -j "$jobs"

echo "== thread sanitizer"
build_and_test build/ci-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_SANITIZE=thread \
    -DVANTREL_BUILD_BENCH=OFF -DVANTREL_BUILD_APP=OFF
TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build/ci-tsan --output-on-failure -j "$jobs" \
    -R 'Divi|Thread|Prepare|FolderMode'
echo "== all tests passed"
