#!/usr/bin/env bash
# Every statement marker Line(N) of the program must carry its own number:
# a report names the statement by it.
set -euo pipefail
src=${1:?source folder}
duplicates=$(grep -rhoE '\bLine\([0-9]+\)' "$src" --include='*.cpp' | sort | uniq -d)
count=$(grep -rhoE '\bLine\([0-9]+\)' "$src" --include='*.cpp' | wc -l)
if [ -n "$duplicates" ]; then
  echo "Line numbers used more than once:"
  echo "$duplicates"
  grep -rnE "\\b($(echo "$duplicates" | sed 's/[()]/\\&/g' | paste -sd'|'))" "$src" --include='*.cpp'
  exit 1
fi
echo "$count statement markers, every number unique"
