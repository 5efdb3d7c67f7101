#!/usr/bin/env bash
# Makes the README's pictures again: the window after a scan of the run
# command's sample tree at 96 dpi (docs/window.png) and at 144 dpi
# (docs/window-144dpi.png). Run it when the window changes.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
env -u DISPLAY bash "$root/scripts/run.sh"
cp "$root/build/app/after-scan.png" "$root/docs/window.png"
env -u DISPLAY bash "$root/scripts/run.sh" --dpi 144
cp "$root/build/app/after-scan-144dpi.png" "$root/docs/window-144dpi.png"
echo "Updated: $root/docs/window.png $root/docs/window-144dpi.png"
