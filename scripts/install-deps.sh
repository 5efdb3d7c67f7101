#!/usr/bin/env bash
# Installs, as root on Debian, the packages that building and testing need and
# that are not there yet. Does nothing when everything is installed.
set -euo pipefail

packages=(
  cmake make g++ googletest
  clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix
  wine wine64 fonts-wine
  xvfb xauth fonts-ipafont-gothic imagemagick
  locales python3 cmark-gfm
  fuse3 python3-fusepy
  python3-xlib xdotool
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
