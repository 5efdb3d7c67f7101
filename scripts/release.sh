#!/usr/bin/env bash
# The release. Installs what is missing and runs every test (the README's
# test command); builds the release twice, in two folders at two times, and
# stops unless both give the same bytes; runs the end-to-end tests on the
# release's own SORATN2.exe under both locales; then writes
# dist/SORATN2-<version>-win64.zip, dist/SORATN2.debug and dist/SHA256SUMS.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${SORATN2_BUILD_DIR:-$root/build}
work=$build/release
dist=$root/dist
wine_env=$root/tools/wine-env.sh

bash "$root/scripts/test.sh"

release_build() {
  local dir=$1
  cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSORATN2_BUILD_TESTS=OFF >/dev/null
  cmake --build "$dir" --parallel "$(nproc)" --target SORATN2 >/dev/null
  bash "$root/tools/package-release.sh" "$dir" "$dir/out" >/dev/null
}

rm -rf "$work"
release_build "$work/first"
sleep 2
release_build "$work/second/elsewhere"
first=$(cd "$work/first/out" && sha256sum -- *)
second=$(cd "$work/second/elsewhere/out" && sha256sum -- *)
echo "Two release builds of this commit:"
echo "$first"
if [ "$first" != "$second" ]; then
  echo "The second build differs:" >&2
  echo "$second" >&2
  exit 1
fi
zip=$(ls "$work/first/out/"SORATN2-*-win64.zip)

# The end-to-end tests drive the SORATN2.exe beside them: here, the one in
# the zip.
e2e=$work/e2e
mkdir -p "$e2e"
cp "$build/windows/bin/e2e_tests.exe" "$build/windows/bin/xdnd-drop.py" "$e2e/"
python3 -m zipfile -e "$zip" "$e2e/"
# The displays and the slow file system, as the test command has them.
trap '"$wine_env" teardown "$build/wine"' EXIT
"$wine_env" services "$build/wine"
for locale in ja en; do
  echo "End-to-end tests of the release's SORATN2.exe ($locale):"
  log=$e2e/e2e-$locale.log
  if ! "$wine_env" run "$build/wine" "$locale" "$e2e/e2e_tests.exe" >"$log" 2>&1; then
    cat "$log" >&2
    echo "The end-to-end tests of the release's SORATN2.exe failed ($locale)" >&2
    exit 1
  fi
  grep -E '^\[  SKIPPED \]|^\[  PASSED  \]' "$log"
done

rm -rf "$dist"
mkdir -p "$dist"
cp "$zip" "$work/first/out/SORATN2.debug" "$dist/"
(cd "$dist" && sha256sum -- SORATN2-*-win64.zip SORATN2.debug >SHA256SUMS)
echo "Written: $dist"
cat "$dist/SHA256SUMS"
