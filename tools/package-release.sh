#!/usr/bin/env bash
# Makes the release files from a Windows build of SORATN2:
#
#   package-release.sh BUILD OUT
#
# OUT gets SORATN2-<version>-win64.zip, holding SORATN2.exe without its debug
# information, the Japanese read-me (code page 932, CR LF), the guide as one
# HTML file with its pictures inside (a user of the zip has no repository)
# and the licence,
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
guide=ご利用の手引き.html

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

# The guide: its Markdown as HTML (cmark-gfm, tables on), each picture
# inside the page as a data URL, so one file shows everything offline.
python3 - "$root/docs" "$stage/$guide" <<'PYTHON'
import base64, pathlib, re, subprocess, sys
docs, target = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
markdown = (docs / "guide-ja.md").read_text(encoding="utf-8")
body = subprocess.run(["cmark-gfm", "--extension", "table", "--to", "html"], input=markdown,
                      capture_output=True, text=True, check=True).stdout
def inline(match):
    picture = (docs / match.group(1)).read_bytes()
    return 'src="data:image/png;base64,' + base64.b64encode(picture).decode("ascii") + '"'
body = re.sub(r'src="([^"/:]+\.png)"', inline, body)
title = re.search(r"<h1>(.*?)</h1>", body).group(1)
page = f"""<!DOCTYPE html>
<html lang="ja">
<head>
<meta charset="utf-8">
<title>{title}</title>
<style>
body {{ font-family: "Yu Gothic UI", "Meiryo", sans-serif; max-width: 50em; margin: 2em auto; padding: 0 1em; line-height: 1.6; }}
img {{ max-width: 100%; }}
table {{ border-collapse: collapse; }}
th, td {{ border: 1px solid #999; padding: 0.2em 0.5em; }}
code {{ font-family: "Consolas", monospace; }}
</style>
</head>
<body>
{body}</body>
</html>
"""
target.write_text(page, encoding="utf-8", newline="\r\n")
PYTHON

zip=$out/SORATN2-$version-win64.zip
# Fixed times, modes and order, no extra fields (Unix times and owners would
# differ from one making to the next); the names UTF-8 and flagged so, as
# Windows 10 and 11 read them.
python3 - "$zip" "$stage" SORATN2.exe "$readme" "$guide" LICENSE.txt <<'PYTHON'
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
