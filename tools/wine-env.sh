#!/usr/bin/env bash
# The Wine environment of the Windows tests and of the run command.
#
#   wine-env.sh setup DIR                 locales, both prefixes, their Xvfbs
#   wine-env.sh prefix DIR ja|en          make one prefix
#   wine-env.sh display DIR               start the Xvfbs alone
#   wine-env.sh services DIR              start the Xvfbs and the slow file system
#   wine-env.sh run DIR ja|en PROGRAM...  run a Windows program in it
#   wine-env.sh dpi DIR ja|en N           the screen's dots per inch there
#   wine-env.sh teardown DIR              stop Wine, the Xvfb and the slow file system
#
# Each locale has its own prefix inside DIR, made once and reused. The drive
# R: of each prefix is a folder of its own, so tests can use a real drive root.
# C:\soratn2-hostile holds trees made from the Linux side (hostile-trees.sh).
# DIR/slow-fs is a file system whose listings and folder makings wait as the
# names in it say (slow-fs.py); the programs find it in SORATN2_SLOW_FS, and
# know it is mounted by the file this-is-the-slow-file-system in its root,
# which the folder left behind when it is not mounted never holds.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

locale_name() {
  case "$1" in
    ja) echo ja_JP.UTF-8 ;;
    en) echo en_US.UTF-8 ;;
    *) echo "unknown locale $1" >&2; exit 2 ;;
  esac
}

# The locales are built into DIR, so no system setting is changed.
make_locales() {
  local dir=$1 src
  mkdir -p "$dir/locale"
  for src in ja_JP en_US; do
    if [ ! -d "$dir/locale/$src.UTF-8" ]; then
      localedef -i "$src" -f UTF-8 "$dir/locale/$src.UTF-8" 2>/dev/null ||
        [ -d "$dir/locale/$src.UTF-8" ]
    fi
  done
}

wine_env() {
  local dir=$1 loc=$2
  export WINEPREFIX="$dir/prefix-$loc"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export LOCPATH="$dir/locale"
  export LANG
  LANG=$(locale_name "$loc")
  export LC_ALL=$LANG
  export SORATN2_SLOW_FS
  SORATN2_SLOW_FS="Z:$(echo "$dir/slow-fs" | tr / '\\')"
  case "$loc" in
    ja) export SORATN2_EXPECTED_ACP=932 ;;
    en) export SORATN2_EXPECTED_ACP=1252 ;;
  esac
}

make_prefix() {
  local dir=$1 loc=$2
  make_locales "$dir"
  (
    wine_env "$dir" "$loc"
    if [ ! -f "$WINEPREFIX/.soratn2-prefix-v3" ]; then
      rm -rf "$WINEPREFIX"
      wineboot -i >/dev/null 2>&1
      # No window manager waits, no crash dialog that holds a test.
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
      # The program's font is drawn with its free counterpart.
      wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /t REG_SZ /d IPAPGothic /f >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ ゴシック' /t REG_SZ /d IPAGothic /f >/dev/null 2>&1
      wineserver -w
      mkdir -p "$WINEPREFIX/drive_r"
      ln -sfn "$WINEPREFIX/drive_r" "$WINEPREFIX/dosdevices/r:"
      # A tree of 32942 folders, more than the folder table holds (C:\soratn2-limit).
      for level1 in $(seq -w 1 181); do
        mkdir -p "$WINEPREFIX/drive_c/soratn2-limit/d$level1"/e{001..181}
      done
      touch "$WINEPREFIX/.soratn2-prefix-v3"
    fi
    # 600 chains of 50 folders (C:\soratn2-chains): its scan finds one more
    # folder with nearly every listing, so the count grows all the while.
    if [ ! -d "$WINEPREFIX/drive_c/soratn2-chains/c600" ]; then
      chain=$(printf 'x/%.0s' $(seq 49))
      for start in $(seq -w 1 600); do
        mkdir -p "$WINEPREFIX/drive_c/soratn2-chains/c$start/$chain"
      done
    fi
    # Wine draws the title bar's buttons with Marlett, but does not load it
    # from its own font folder: the prefix gets a copy.
    if [ ! -f "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ]; then
      cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    fi
  )
}

# Wine reads the screen's dots per inch at the start of each process.
set_dpi() {
  local dir=$1 loc=$2 dpi=$3
  (
    wine_env "$dir" "$loc"
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  )
}

start_xvfb() {
  local dir=$1 name=$2 n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
    echo $! >"$dir/xvfb-$name.pid"
    for _ in $(seq 50); do
      if [ -e "/tmp/.X11-unix/X$n" ]; then
        echo ":$n" >"$dir/display-$name"
        return 0
      fi
      sleep 0.1
    done
    kill "$(cat "$dir/xvfb-$name.pid")" 2>/dev/null || true
  done
  echo "no display could be started" >&2
  return 1
}

stop_xvfb() {
  local dir=$1 pid
  for pid in "$dir"/xvfb-*.pid; do
    [ -f "$pid" ] || continue
    kill "$(cat "$pid")" 2>/dev/null || true
    rm -f "$pid"
  done
  rm -f "$dir"/display-*
}

# Each locale has a screen of its own, so that windows of tests running side
# by side never cover one another.
start_displays() {
  local dir=$1 loc
  for loc in ja en; do
    start_xvfb "$dir" "$loc"
  done
}

# Unmounted lazily: a call that never answers must not hold the teardown.
stop_slow_fs() {
  local dir=$1 pid
  if mountpoint -q "$dir/slow-fs" 2>/dev/null; then
    fusermount -u -z "$dir/slow-fs" 2>/dev/null || umount -l "$dir/slow-fs" 2>/dev/null || true
  fi
  # The file system started here, and no process that took its number since.
  if [ -f "$dir/slow-fs.pid" ]; then
    pid=$(cat "$dir/slow-fs.pid")
    if grep -q slow-fs.py "/proc/$pid/cmdline" 2>/dev/null; then kill -9 "$pid" 2>/dev/null || true; fi
    rm -f "$dir/slow-fs.pid"
  fi
}

# The trees the tests scan there (the tests make what they copy into):
#   chain   a chain of 81 folders, the 41st listing after 8 s: the walk lists
#           every folder of a chain itself, none is known ahead of it
#   wide    in one folder, 600 folders of one folder each, the 300th listing
#           after 8 s: the workers list it ahead of the walk
#   late    beside folders, one listing after 8 s
#   never   beside folders, one whose listing never answers
# No slow folder is a child of a tree's top: the file dialog that chooses the
# top looks into its children, and must not wait.
# Each folder of the chain and of wide holds files, so that listing it takes
# a while and the count moves on the screen between two paints.
slow_trees() {
  local root=$1 path i
  path=$root/chain
  for i in $(seq 81); do
    if [ "$i" -eq 41 ]; then path=$path/list-after-8s; else path=$path/c; fi
    mkdir -p "$path"
    (cd "$path" && touch $(printf 'file%03d.txt ' $(seq 150)))
  done
  for i in $(seq -w 1 600); do
    if [ "$i" = 300 ]; then path=$root/wide/top/w300-list-after-8s; else path=$root/wide/top/w$i; fi
    mkdir -p "$path/x"
    (cd "$path" && touch $(printf 'file%02d.txt ' $(seq 40)))
  done
  mkdir -p "$root/late/a/b" "$root/late/d/list-after-8s/c" "$root/never/a/b" "$root/never/d/list-never/c"
}

slow_fs_mark=this-is-the-slow-file-system

start_slow_fs() {
  local dir=$1
  rm -rf "$dir/slow-fs-backing"
  mkdir -p "$dir/slow-fs-backing" "$dir/slow-fs"
  slow_trees "$dir/slow-fs-backing"
  echo "tools/slow-fs.py is mounted here" >"$dir/slow-fs-backing/$slow_fs_mark"
  setsid /usr/bin/python3 "$here/slow-fs.py" "$dir/slow-fs-backing" "$dir/slow-fs" \
    >"$dir/slow-fs.log" 2>&1 </dev/null &
  echo $! >"$dir/slow-fs.pid"
  for _ in $(seq 100); do
    mountpoint -q "$dir/slow-fs" && [ -f "$dir/slow-fs/$slow_fs_mark" ] && return 0
    sleep 0.1
  done
  echo "the slow file system did not start (see $dir/slow-fs.log)" >&2
  stop_slow_fs "$dir"
  rmdir "$dir/slow-fs" 2>/dev/null || true
  return 1
}

# What a run of the end-to-end tests needs besides the prefixes. Wine left
# running from an earlier run would keep drawing on its old display.
start_services() {
  local dir=$1
  stop_wine "$dir"
  stop_xvfb "$dir"
  stop_slow_fs "$dir"
  start_displays "$dir"
  # Without FUSE (no /dev/fuse) the tests of a slow server say they are
  # skipped; every other test runs as it always has.
  start_slow_fs "$dir" || echo "no slow file system: the slow-server tests will be skipped" >&2
}

stop_wine() {
  local dir=$1 loc
  for loc in ja en; do
    [ -d "$dir/prefix-$loc" ] || continue
    (wine_env "$dir" "$loc"; wineserver -k 2>/dev/null || true)
  done
}

command=${1:?command}
dir=${2:?directory}
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)

case "$command" in
  setup)
    make_prefix "$dir" ja
    make_prefix "$dir" en
    # Made anew for every run, so no test sees what an earlier one left.
    for loc in ja en; do
      "$(dirname "${BASH_SOURCE[0]}")/hostile-trees.sh" "$dir/prefix-$loc/drive_c/soratn2-hostile"
    done
    # A test that sets another value puts the old one back; one that died
    # before it could does not leave it to the next run.
    for loc in ja en; do
      set_dpi "$dir" "$loc" 96
    done
    start_services "$dir"
    ;;
  services)
    start_services "$dir"
    ;;
  prefix)
    make_prefix "$dir" "${3:?locale}"
    ;;
  display)
    stop_wine "$dir"
    stop_xvfb "$dir"
    start_displays "$dir"
    ;;
  run)
    loc=${3:?locale}
    shift 3
    wine_env "$dir" "$loc"
    if [ -f "$dir/display-$loc" ]; then
      DISPLAY=$(cat "$dir/display-$loc")
      export DISPLAY
    fi
    exec wine "$@"
    ;;
  dpi)
    set_dpi "$dir" "${3:?locale}" "${4:?dots per inch}"
    ;;
  teardown)
    stop_wine "$dir"
    stop_xvfb "$dir"
    stop_slow_fs "$dir"
    ;;
  *)
    echo "unknown command $command" >&2
    exit 2
    ;;
esac
