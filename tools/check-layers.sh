#!/usr/bin/env bash
# Dependencies run one way: app, program, shell, then the runtime's rooms
# dialogs, files, run, system, lang. A file may include its own layer or room
# and those after it in that order, never one before it. Prints the lines
# with each room's size, and every include that points the wrong way.
set -euo pipefail
src=${1:?source folder}
order=(app program shell runtime/dialogs runtime/files runtime/run runtime/system runtime/lang)

rank() {
  local path=$1 i
  for i in "${!order[@]}"; do
    case "$path" in "${order[$i]}"/*) echo "$i"; return ;; esac
  done
  echo -1
}

wrong=0
while IFS= read -r file; do
  relative=${file#"$src"/}
  own=$(rank "$relative")
  [ "$own" -ge 0 ] || continue
  while IFS= read -r included; do
    target=$(rank "$included")
    if [ "$target" -ge 0 ] && [ "$target" -lt "$own" ]; then
      echo "$relative includes $included, a layer above it"
      wrong=1
    fi
  done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(find "$src" -name '*.h' -o -name '*.cpp' | sort)

for room in "${order[@]}"; do
  [ -d "$src/$room" ] || continue
  lines=$(find "$src/$room" \( -name '*.h' -o -name '*.cpp' \) -exec cat {} + | wc -l)
  echo "$room: $lines lines"
done
exit "$wrong"
