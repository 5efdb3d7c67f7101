#!/usr/bin/env bash
# Makes the README's picture again, docs/window.png: the window after a scan
# of the run command's sample tree. Run it when the window changes.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
env -u DISPLAY bash "$root/scripts/run.sh"
cp "$root/build/app/after-scan.png" "$root/docs/window.png"
echo "Updated: $root/docs/window.png"
