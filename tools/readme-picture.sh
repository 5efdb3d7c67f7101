#!/usr/bin/env bash
# Makes the pictures of the README and of the user's guide again, from the
# run command's demonstration on its sample tree: the window after the scan
# at 96 dpi (docs/window.png, docs/guide-after-scan.png) and at 144 dpi
# (docs/window-144dpi.png), with the list's menu open (docs/guide-list-menu.png)
# and after the copy (docs/guide-after-copy.png).
# Run it when the window changes.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
env -u DISPLAY bash "$root/scripts/run.sh"
cp "$root/build/app/after-scan.png" "$root/docs/window.png"
cp "$root/build/app/after-scan.png" "$root/docs/guide-after-scan.png"
cp "$root/build/app/after-copy.png" "$root/docs/guide-after-copy.png"
cp "$root/build/app/list-menu.png" "$root/docs/guide-list-menu.png"
env -u DISPLAY bash "$root/scripts/run.sh" --dpi 144
cp "$root/build/app/after-scan-144dpi.png" "$root/docs/window-144dpi.png"
echo "Updated: $root/docs/window.png $root/docs/window-144dpi.png" \
  "$root/docs/guide-after-scan.png $root/docs/guide-after-copy.png $root/docs/guide-list-menu.png"
