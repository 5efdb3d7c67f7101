#!/usr/bin/env bash
# Runs the source command's benchmark under Wine on a generated tree of
# 32,760 folders. Expects the test build (scripts/test.sh) in build/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${SORATN2_BUILD_DIR:-$root/build}
wine_env=$root/tools/wine-env.sh

cmake --build "$build" --parallel "$(nproc)"
"$wine_env" prefix "$build/wine" ja
"$wine_env" display "$build/wine"
trap '"$wine_env" teardown "$build/wine"' EXIT

tree=$build/wine/prefix-ja/drive_c/soratn2-bench
if [ ! -d "$tree/d180/e181" ]; then
  for level1 in $(seq -w 1 180); do
    mkdir -p "$tree/d$level1"/e{001..181}
  done
fi
rm -rf "$build/wine/prefix-ja/drive_c/soratn2-bench-copy" "$build/wine/prefix-ja/drive_c/soratn2-bench-bare"
mkdir -p "$build/wine/prefix-ja/drive_c/soratn2-bench-copy" "$build/wine/prefix-ja/drive_c/soratn2-bench-bare"
# The program's logs go to the folder it starts in.
mkdir -p "$build/bench-start"
cd "$build/bench-start"
"$wine_env" run "$build/wine" ja "$build/windows/bin/scan_benchmark.exe" \
  'C:\soratn2-bench' 'C:\soratn2-bench-copy' 'C:\soratn2-bench-bare'
