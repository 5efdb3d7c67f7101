#!/usr/bin/env bash
# Makes the release files from a Windows build of SORATN2:
#
#   package-release.sh BUILD OUT
#
# OUT gets SORATN2-<version>-win64.zip, holding SORATN2.exe without its debug
# information, the Japanese read-me (code page 932, CR LF) and the licence,
# and beside it SORATN2.debug, the debug information, which the exe names in
# its debug link. Nothing in them depends on when or in which folder they
# were made: the zip's entries have fixed times, modes and order.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:?build folder}" && pwd)
mkdir -p "${2:?output folder}"
out=$(cd "$2" && pwd)
version=$(cat "$build/soratn2-version.txt")
objcopy=x86_64-w64-mingw32-objcopy
# objcopy writes the time it runs into a PE header unless told a time: 0,
# as the linker leaves it (no time stamp).
export SOURCE_DATE_EPOCH=0
readme=はじめにお読みください.txt

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

# The debug link holds the debug file's name and checksum, so it is made
# beside the exe under the name it keeps.
cp "$build/bin/SORATN2.exe" "$stage/full.exe"
(
  cd "$stage"
  "$objcopy" --only-keep-debug full.exe SORATN2.debug
  "$objcopy" --strip-debug --add-gnu-debuglink=SORATN2.debug full.exe SORATN2.exe
)
mv "$stage/SORATN2.debug" "$out/SORATN2.debug"

# Windows editors show code page 932 with CR LF whatever their setting.
sed "s/@VERSION@/$version/g; s/\$/\r/" "$root/docs/release/$readme.in" | iconv -f UTF-8 -t WINDOWS-31J >"$stage/$readme"
sed 's/$/\r/' "$root/LICENSE" >"$stage/LICENSE.txt"

zip=$out/SORATN2-$version-win64.zip
# Fixed times, modes and order, no extra fields (Unix times and owners would
# differ from one making to the next); the names UTF-8 and flagged so, as
# Windows 10 and 11 read them.
python3 - "$zip" "$stage" SORATN2.exe "$readme" LICENSE.txt <<'PYTHON'
import sys, zipfile
target, folder, *names = sys.argv[1:]
with zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
    for name in names:
        entry = zipfile.ZipInfo(name, date_time=(2025, 1, 1, 0, 0, 0))
        entry.external_attr = (0o100755 if name.endswith(".exe") else 0o100644) << 16
        entry.compress_type = zipfile.ZIP_DEFLATED
        with open(f"{folder}/{name}", "rb") as file:
            archive.writestr(entry, file.read())
PYTHON
echo "$zip"
