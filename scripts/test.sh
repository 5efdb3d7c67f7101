#!/usr/bin/env bash
# Installs what is missing, builds the program and every test (native and
# Windows), and runs them all: the Windows tests under Wine.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${SORATN2_BUILD_DIR:-$root/build}

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSORATN2_WERROR=ON -DSORATN2_BUILD_BENCHMARKS=OFF
cmake --build "$build" --parallel "$(nproc)"
cd "$build"
ctest --output-on-failure --parallel 2
