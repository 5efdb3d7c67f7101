#!/usr/bin/env bash
# Installs what is missing, builds SORATN2.exe and starts it under Wine.
# Without a display it runs on a virtual one, saves a screenshot of the
# window and ends the program again.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build/app
wine_dir=$build/wine
wine_env=$root/tools/wine-env.sh
screenshot=$build/screenshot.png

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DSORATN2_BUILD_TESTS=OFF
cmake --build "$build" --parallel "$(nproc)" --target SORATN2
"$wine_env" prefix "$wine_dir" ja

# The program's logs go to the folder it is started in.
mkdir -p "$build/start"
cd "$build/start"

if [ -n "${DISPLAY:-}" ]; then
  exec "$wine_env" run "$wine_dir" ja "$build/bin/SORATN2.exe"
fi

"$wine_env" display "$wine_dir"
trap '"$wine_env" teardown "$wine_dir"' EXIT
export DISPLAY
DISPLAY=$(cat "$wine_dir/display-ja")
"$wine_env" run "$wine_dir" ja "$build/bin/SORATN2.exe" &

# The virtual screen is one colour until the window has been drawn.
rm -f "$screenshot"
for _ in $(seq 60); do
  sleep 1
  import -window root "$screenshot" 2>/dev/null || continue
  spread=$(convert "$screenshot" -format '%[fx:standard_deviation]' info: 2>/dev/null || echo 0)
  if [ "$spread" != "0" ]; then
    sleep 2
    import -window root "$screenshot"
    echo "Screenshot of the window: $screenshot"
    exit 0
  fi
done
echo "The window did not appear within a minute." >&2
exit 1
