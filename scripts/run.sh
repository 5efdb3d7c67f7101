#!/usr/bin/env bash
# Installs what is missing, builds SORATN2.exe and starts it under Wine.
#
#   run.sh            with a display: the program, for you to use
#                     without one: the demonstration below, on a virtual display
#   run.sh --demo     the demonstration, on your display
#   run.sh --dpi N    either of them on a screen of N dots per inch (96 = 100 %,
#                     120 = 125 %, 144 = 150 %, 192 = 200 %); SORATN2_DPI=N too
#
# The demonstration makes a sample tree with Japanese names, drives the
# program through its real dialogs (source, destination, a copy with the
# parent folder), saves pictures of the window after the scan, with the list's
# menu open and after the copy (build/app/after-scan.png,
# build/app/list-menu.png, build/app/after-copy.png; at another dpi
# than 96 build/app/after-scan-144dpi.png and so on) and prints the notices it
# answered and the tree it created.
set -euo pipefail
demo=no
dpi=${SORATN2_DPI:-96}
while [ $# -gt 0 ]; do
  case "$1" in
    --demo) demo=yes ;;
    --dpi) dpi=${2:?--dpi takes the dots per inch}; shift ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
  shift
done
case "$dpi" in
  ''|*[!0-9]*) echo "the dots per inch must be a number: $dpi" >&2; exit 2 ;;
esac
suffix=
[ "$dpi" = 96 ] || suffix=-${dpi}dpi
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build/app
wine_dir=$build/wine
wine_env=$root/tools/wine-env.sh

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DSORATN2_BUILD_TESTS=OFF -DSORATN2_BUILD_DEMO=ON
cmake --build "$build" --parallel "$(nproc)" --target SORATN2 show_the_job
"$wine_env" prefix "$wine_dir" ja
"$wine_env" dpi "$wine_dir" ja "$dpi"

# The program's logs go to the folder it is started in.
mkdir -p "$build/start"
cd "$build/start"

if [ -n "${DISPLAY:-}" ] && [ "$demo" = no ]; then
  exec "$wine_env" run "$wine_dir" ja "$build/bin/SORATN2.exe"
fi

if [ -z "${DISPLAY:-}" ]; then
  "$wine_env" display "$wine_dir"
  trap '"$wine_env" teardown "$wine_dir"' EXIT
  export DISPLAY
  DISPLAY=$(cat "$wine_dir/display-ja")
fi

drive_c=$wine_dir/prefix-ja/drive_c
sample=$drive_c/soratn2-sample
copy=$drive_c/soratn2-sample-copy
pictures=$drive_c/soratn2-demo
rm -rf "$sample" "$copy" "$pictures"
mkdir -p "$pictures"
mkdir -p "$sample"/写真/2025/{旅行,運動会} "$sample"/写真/2026 \
  "$sample"/書類/{ソフト表,見積,契約/控え} "$sample"/音楽/ソロ "$sample"/表計算
touch "$sample"/書類/見積/見積書.txt "$sample"/音楽/ソロ/曲.mp3
# A name Windows cannot hold (made from the Linux side): the scan leaves it
# out with a notice, which the demonstration reads out and answers.
mkdir -p "$sample"/書類/下書き.

"$wine_env" run "$wine_dir" ja "$build/bin/show_the_job.exe" \
  'C:\soratn2-sample' 'C:\soratn2-sample-copy' 'C:\soratn2-demo'
for picture in after-scan list-menu after-copy; do
  convert "$pictures/$picture.bmp" "$build/$picture$suffix.png"
  echo "Picture of the window: $build/$picture$suffix.png"
done
echo "The folders made below C:\\soratn2-sample-copy (no file was copied):"
(cd "$copy" && find . -mindepth 1 | sort | sed 's|^\./||')
