#!/usr/bin/env bash
# Installs what is missing, builds, and measures the program driven end to end
# against a floor program and xcopy /T /E on a tree of 32,700 folders, under
# Wine, in SORATN2_BENCH_REPETITIONS (5) interleaved repetitions. Prints the
# figures and writes them to build/benchmark-results.txt and .json.
#
#   benchmark.sh               the end-to-end benchmark
#   benchmark.sh --against REV the same, with the program as it was at the
#                              commit REV run side by side in every repetition
#   benchmark.sh --in-process  the source command, copy run and undo run in
#                              process against bare loops of the same calls
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${SORATN2_BUILD_DIR:-$root/build}
wine_env=$root/tools/wine-env.sh
repetitions=${SORATN2_BENCH_REPETITIONS:-5}

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSORATN2_BUILD_BENCHMARKS=ON
cmake --build "$build" --parallel "$(nproc)"
"$wine_env" prefix "$build/wine" ja
"$wine_env" display "$build/wine"
trap '"$wine_env" teardown "$build/wine"' EXIT
drive_c=$build/wine/prefix-ja/drive_c

if [ "${1:-}" = --in-process ]; then
  tree=$drive_c/soratn2-bench
  if [ ! -d "$tree/d180/e181" ]; then
    for level1 in $(seq -w 1 180); do
      mkdir -p "$tree/d$level1"/e{001..181}
    done
  fi
  rm -rf "$drive_c/soratn2-bench-work"
  mkdir -p "$drive_c/soratn2-bench-work"
  # The program's logs go to the folder it starts in.
  mkdir -p "$build/bench-start"
  cd "$build/bench-start"
  "$wine_env" run "$build/wine" ja "$build/windows/bin/scan_benchmark.exe" \
    'C:\soratn2-bench' 'C:\soratn2-bench-work' "$repetitions"
  exit 0
fi

# 30 x 33 x 32 folders below 30 and 30 x 33 more: 32,700 in all, some of
# them with double-byte names.
tree=$drive_c/soratn2-e2e-tree
if [ ! -d "$tree/L30/M33/N32" ]; then
  rm -rf "$tree"
  for a in $(seq -w 1 30); do
    level1=L$a
    [ $((10#$a % 10)) -eq 0 ] && level1=ソ表$a
    for b in $(seq -w 1 33); do
      level2=M$b
      [ $((10#$b % 11)) -eq 0 ] && level2=能$b
      mkdir -p "$tree/$level1/$level2"/N{01..32}
    done
  done
fi
rm -rf "$drive_c/soratn2-e2e-work"
mkdir -p "$drive_c/soratn2-e2e-work"

baseline=()
if [ "${1:-}" = --against ]; then
  # The earlier program alone, built from that commit's sources.
  rev=${2:?a commit to measure against}
  rm -rf "$build/baseline-src" "$drive_c/soratn2-baseline"
  mkdir -p "$build/baseline-src" "$drive_c/soratn2-baseline"
  git -C "$root" archive "$rev" | tar -x -C "$build/baseline-src"
  cmake -S "$build/baseline-src" -B "$build/baseline" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$build/baseline-src/cmake/mingw-w64.cmake" -DSORATN2_BUILD_TESTS=OFF
  cmake --build "$build/baseline" --target SORATN2 --parallel "$(nproc)"
  cp "$build/baseline/bin/SORATN2.exe" "$drive_c/soratn2-baseline/"
  baseline=('C:\soratn2-baseline\SORATN2.exe')
fi

"$wine_env" run "$build/wine" ja "$build/windows/bin/e2e_benchmark.exe" \
  'C:\soratn2-e2e-tree' 'C:\soratn2-e2e-work' "$repetitions" \
  'C:\soratn2-e2e-work\results.txt' 'C:\soratn2-e2e-work\results.json' "${baseline[@]}"
{
  echo "$(date -u '+%Y-%m-%d'), $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), Wine $(wine --version 2>/dev/null)"
  cat "$drive_c/soratn2-e2e-work/results.txt"
} >"$build/benchmark-results.txt"
cp "$drive_c/soratn2-e2e-work/results.json" "$build/benchmark-results.json"
echo "Results: $build/benchmark-results.txt, $build/benchmark-results.json"
