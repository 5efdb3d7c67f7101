#!/usr/bin/env bash
# Installs what is missing, builds the fuzz targets of the portable code and
# runs each for a while: the seconds per target are the argument (60 by
# default). New inputs collect in a scratch folder of the build; those that
# reach code the corpus did not are then merged into tests/fuzz/corpus.
# Prints per target the inputs run and anything found, with the input in hex.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${SORATN2_BUILD_DIR:-$root/build}
seconds=${1:-60}
fuzz=$build/fuzz
findingsRoot=$fuzz/findings/$(date +%Y%m%d-%H%M%S)
targets=(split_path full_width strings name_correction folder_name lent_places)

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target fuzz >/dev/null

# Executions from the final statistics, or from the last progress line when
# a finding ended the run before them.
executions() {
  local log=$1
  local runs
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  [ -n "$runs" ] || runs=$(grep -oE '^#[0-9]+' "$log" | tail -1 | tr -d '#')
  echo "${runs:-0}"
}

echo "Fuzzing each target for $seconds s"
found=0
for target in "${targets[@]}"; do
  corpus=$root/tests/fuzz/corpus/$target
  scratch=$fuzz/scratch/$target
  findings=$findingsRoot/$target
  log=$fuzz/logs/$target.log
  mkdir -p "$scratch" "$findings" "$fuzz/logs"
  corpusBefore=$(find "$corpus" -type f | wc -l)

  # libFuzzer writes new inputs into the first folder only, so the corpus in
  # the repository changes only through the merge below.
  status=0
  "$fuzz/bin/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$scratch" "$corpus" >"$log" 2>&1 || status=$?
  "$fuzz/bin/$target" -merge=1 "$corpus" "$scratch" >"$fuzz/logs/$target.merge.log" 2>&1 || status=$?

  summary="$target: $(executions "$log") executions"
  summary+=", corpus $corpusBefore -> $(find "$corpus" -type f | wc -l) files"
  if [ "$status" -eq 0 ] && [ -z "$(ls -A "$findings")" ]; then
    echo "$summary, nothing found"
    continue
  fi
  found=1
  echo "$summary, FOUND something (exit $status, log $log):"
  grep -m4 -E 'Broken:|ERROR:|runtime error:|SUMMARY:' "$log" "$fuzz/logs/$target.merge.log" | sed 's/^/  /' || true
  for input in "$findings"/*; do
    [ -f "$input" ] || continue
    echo "  $input: $(od -An -tx1 -v "$input" | tr -s ' \n' ' ' | head -c 600)"
  done
done
find "$findingsRoot" -type d -empty -delete
exit "$found"
