#!/usr/bin/env bash
# The game installed into a temporary DESTDIR and started as a player starts
# it, with a home of its own and from an unrelated working folder:
#   1. the tree: programs in games/, private library found through the
#      run path, package, desktop entry naming the installed program,
#      metainfo, icons in every size, manual pages, copyright, changelog,
#      the README the about box links to;
#   2. the library (loaded from the tree by a probe) writes its log, the
#      best plays and a position dump into the XDG folders named by the
#      environment, and reads the best plays from there on the next start;
#   3. the window program, started as its desktop entry starts it, finds
#      its package, keeps its log in the default state folder while it
#      runs and its settings in ~/.config/ringdisk, and reads them back on
#      the next start;
#   4. nothing at all was written into the install or the working folder.
# Usage: installed_game_test.sh BUILD_DIR PROBE
set -uo pipefail
build="$1"
probe="$2"
# shellcheck source=../shell_checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/../shell_checks.sh"

root="$work/root"
tree="$root/usr"
if ! DESTDIR="$root" cmake --install "$build" --prefix /usr > "$work/install.log" 2>&1; then
  cat "$work/install.log"
  echo "FAIL: cmake --install"
  exit 1
fi

echo "== the installed tree"
for f in games/ringdisk games/ringdisk-bot lib/ringdisk/libvexlib.so share/ringdisk/dados.vpf \
         share/applications/ringdisk.desktop \
         share/metainfo/io.github.ringdisk.Ringdisk.metainfo.xml \
         share/man/man6/ringdisk.6.gz share/man/man6/ringdisk-bot.6.gz \
         share/doc/ringdisk/copyright share/doc/ringdisk/changelog.gz \
         share/doc/ringdisk/README.md share/doc/ringdisk/docs/ringdisk-window.png; do
  [ -f "$tree/$f" ] || fail "missing $f"
done
for size in 16 22 24 32 48 64 128 256; do
  icon="$tree/share/icons/hicolor/${size}x${size}/apps/ringdisk.png"
  dimensions=$(python3 -c 'import struct,sys
d=open(sys.argv[1],"rb").read(24)
print("%dx%d" % struct.unpack(">II", d[16:24]) if d[:8]==b"\x89PNG\r\n\x1a\n" else "not a PNG")' "$icon" 2>&1)
  [ "$dimensions" = "${size}x${size}" ] || fail "icon $icon: $dimensions"
done
for program in ringdisk ringdisk-bot; do
  runpath=$(readelf -d "$tree/games/$program" | sed -n 's/.*RUNPATH.*\[\(.*\)\]/\1/p')
  [ "$runpath" = '$ORIGIN/../lib/ringdisk' ] || fail "$program run path is '$runpath'"
  found=$(env -u LD_LIBRARY_PATH ldd "$tree/games/$program" | awk '/libvexlib.so/ {print $3}')
  [ "$found" = "$tree/games/../lib/ringdisk/libvexlib.so" ] || fail "$program loads libvexlib.so from '$found'"
done
# The menu starts the program by its full path in the install's prefix.
menu_program=$(sed -n 's/^Exec=//p' "$tree/share/applications/ringdisk.desktop")
[ "$menu_program" = /usr/games/ringdisk ] || fail "the desktop entry starts '$menu_program'"
[ -x "$root$menu_program" ] || fail "the desktop entry's $menu_program is not installed"
zcat "$tree/share/man/man6/ringdisk.6.gz" | grep -q -- '-high' || fail "the manual lacks -high"
find "$tree" -printf '%P %s %T@ %m\n' | sort > "$work/tree.before"

echo "== the library's files in the XDG folders of the environment"
data="$work/xdg/data"
state="$work/xdg/state"
mkdir -p "$work/cwd"
probe_run() {
  (cd "$work/cwd" && env HOME="$work/nobody" XDG_DATA_HOME="$data" XDG_STATE_HOME="$state" \
      "$probe" "$tree/lib/ringdisk/libvexlib.so" "$1" "$data/ringdisk/ringdisk.dat")
}
out=$(probe_run alpha 2>&1) || fail "probe: $out"
grep -q SAVED <<< "$out" || fail "the practice run did not save its best play: $out"
grep -q alpha "$data/ringdisk/ringdisk.dat" 2>/dev/null || fail "ringdisk.dat lacks the run's name"
[ -f "$state/ringdisk/dump_host_0.log" ] || fail "no position dump in the state folder"
[ -f "$state/ringdisk/debug.log" ] || fail "no debug.log in the state folder"
for made in "$data/ringdisk" "$state/ringdisk" "$work/xdg/data"; do
  [ "$(stat -c %a "$made")" = 700 ] || fail "$made was made with mode $(stat -c %a "$made")"
done
[ ! -e "$work/nobody" ] || fail "something went under HOME although the XDG folders were given"

# The next start reads the player's file: cut in its fourth record, it is
# reported as damaged, by its place in the data folder.
head -c 40 "$data/ringdisk/ringdisk.dat" > "$work/cut" && mv "$work/cut" "$data/ringdisk/ringdisk.dat"
out=$(probe_run beta 2>&1) || fail "second probe: $out"
grep -aq "$data/ringdisk/ringdisk.dat danificado" "$state/ringdisk/debug.log" ||
  fail "the second start did not read $data/ringdisk/ringdisk.dat: $(cat "$state/ringdisk/debug.log")"

echo "== the window program with a fresh home"
home="$work/ana"
mkdir -p "$home"
window_named() {
  xwininfo -root -children | grep -F " \"$1\": " | awk '{print $1}' | head -1
}
# The window exists from the library's start on, but shows only once the
# program is ready for SIGTERM: the stop signals are taken before it shows.
window_shown() {
  local id
  id=$(window_named "$1")
  [ -n "$id" ] && xwininfo -id "$id" | grep -q "Map State: IsViewable" && echo "$id"
}
run_window() {
  (cd "$work/cwd" && exec env -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_STATE_HOME \
       HOME="$home" "$root$menu_program" 2> "$work/window.err") &
  local pid=$!
  local window=""
  for _ in $(seq 1 120); do
    window=$(window_shown "VEX Ringdisk v1.1")
    [ -n "$window" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.5
  done
  if [ -z "$window" ]; then
    fail "no game window shown: $(cat "$work/window.err")"
    kill "$pid" 2>/dev/null
    wait "$pid"
    return
  fi
  [ -f "$home/.local/state/ringdisk/debug.log" ] || fail "no debug.log in ~/.local/state/ringdisk while running"
  sleep 1
  kill -TERM "$pid"
  wait "$pid"
  local status=$?
  [ "$status" -eq 0 ] || fail "the window closed with status $status: $(cat "$work/window.err")"
}
if [ -z "${DISPLAY:-}" ]; then
  echo "[  SKIPPED ] no X display for the installed window program"
  exit "$((failures > 0))"
fi
run_window
settings="$home/.config/ringdisk/ringdisk.ini"
[ -f "$settings" ] || fail "no $settings after the close"
[ "$(stat -c %a "$home/.config/ringdisk")" = 700 ] || fail "~/.config/ringdisk is not private"
# The next start must restore what the file holds: a nickname no default
# table has survives the start and the save at its close.
sed -i 's/^Nick=.*\r$/Nick=Zedekiah\r/' "$settings"
grep -q '^Nick=Zedekiah' "$settings" || fail "the settings file has no Nick line: $(cat "$settings")"
run_window
grep -q '^Nick=Zedekiah' "$settings" || fail "the second start did not restore the settings"

echo "== nothing written into the install or the working folder"
find "$tree" -printf '%P %s %T@ %m\n' | sort > "$work/tree.after"
diff "$work/tree.before" "$work/tree.after" > "$work/tree.diff" || fail "the install changed: $(cat "$work/tree.diff")"
[ -z "$(ls -A "$work/cwd")" ] || fail "written into the working folder: $(ls -A "$work/cwd")"

finish "installed game tests passed"
