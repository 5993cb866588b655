#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up, builds and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_BUILD_BENCH=OFF
cmake --build build/release --target vantrel vantrel-divide
exec build/release/app/vantrel "$@"
