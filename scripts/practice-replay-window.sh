#!/usr/bin/env bash
# A practice run played in a `ringdisk` window on a virtual display with the
# keys alone (xdotool), as a player without a mouse would: level 1 cleared in
# three shots, then four shots on level 2 that let the striker fall, so the
# run ends out of tries. The window keeps the run as a replay; a second
# window then watches it (`ringdisk --replay FILE`). Screenshots go to OUT
# (default build/practice-replay-window): the first shot's cue, a moment at
# 4x, and the end with the verdict. The best plays file is
# compared before and after watching.
#   scripts/practice-replay-window.sh [BUILD_DIR] [OUT]
. "$(dirname "$0")/virtual-display.sh" practice-replay-window 1024x768 "$@"

work="$(mktemp -d)"
pid=""
cleanup() {
  [ -n "$pid" ] && kill -TERM "$pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

ln -s "$build/bin/dados.vpf" "$work/dados.vpf"
printf '[main]\r\n_X=0\r\n_Y=0\r\nNick=Dora\r\n' > "$work/ringdisk.ini"

start_window() {  # arguments of the program
  (cd "$work" && exec "$build/bin/ringdisk" "$@" 2>> "$out/ringdisk.err") &
  pid=$!
  win=""
  for _ in $(seq 1 60); do
    win=$(xwininfo -root -children | grep -F '"VEX Ringdisk v1.1": ' | awk '{print $1}' | head -1 || true)
    [ -n "$win" ] && break
    sleep 0.5
  done
  [ -n "$win" ] || { echo "no window" >&2; exit 1; }
  menu=$(( $(xwininfo -id "$win" | awk '/Height:/ {print $2}') - 400 ))
}
stop_window() {
  kill -TERM "$pid"
  wait "$pid" || true
  pid=""
}
screenshot() {  # name
  python3 "$here/x11-screenshot.py" "$out/$1.png"
}
tap() {  # key [times]: each press seen by the game as one step, on a slow display too
  for _ in $(seq 1 "${2:-1}"); do
    xdotool keydown "$1"; sleep 0.3; xdotool keyup "$1"; sleep 0.2
  done
}
# Holds Right until the striker stands at the strip's right end, taps Left
# n times, takes the cue, swings it a taps (negative: to the right), pulls
# it back f taps and shoots; then waits for the discs to stop.
shoot() {  # n a f
  xdotool keydown Right; sleep 5; xdotool keyup Right; sleep 0.2
  if [ "$1" -gt 0 ]; then tap Left "$1"; fi
  tap space
  if [ "$2" -lt 0 ]; then tap Right $(( -$2 )); else tap Left "$2"; fi
  tap Down "$3"
  tap space
  sleep 9
}

start_window
xdotool mousemove --window "$win" 630 $((menu + 210)) click 1   # "Treinar"
sleep 3
# A click on the far end of the table, where no striker is placed, gives
# the game panel the mouse and the keys (or Space would press the focused
# "Close" button); the pointer then stays where it is.
xdotool mousemove --window "$win" 285 $((menu + 60)) click 1
sleep 1
screenshot 0-recording-level-1
shoot 0 -32 15
shoot 0 -20 11
shoot 12 -36 15
sleep 8   # the level-cleared wait
screenshot 1-recording-level-2
shoot 0 -10 15
# More than the three tries left, in case a key press was lost on a slow
# display; shots after the run is over are not taken.
for _ in 1 2 3 4 5; do shoot 0 -24 15; done
sleep 12  # the out-of-tries wait, then the run is kept
screenshot 2-recording-over
stop_window

replay=$(ls -t "$work"/replays/*.rdreplay | head -1)
cp "$replay" "$out/practice.rdreplay"
"$build/bin/shotreplay" --replay "$replay" > "$out/shotreplay.txt" || true
best_plays() { if [ -e "$work/ringdisk.dat" ]; then sha256sum < "$work/ringdisk.dat"; else echo none; fi; }
before=$(best_plays)

start_window --replay "$replay"
sleep 2
# The keys reach the menus' shortcuts once the window has the focus.
xdotool windowfocus "$win"
xdotool mousemove --window "$win" 285 $((menu + 60)) click 1
sleep 0.5
xdotool key n      # to the second before the first shot: its cue shows
sleep 0.6
screenshot 3-replay-first-shot
xdotool key 4
sleep 22
screenshot 4-replay-at-4x
sleep 45           # the rest of the run at 4x, and the verdict
screenshot 5-replay-end
stop_window
after=$(best_plays)
if [ "$before" = "$after" ]; then echo "best plays untouched"; else echo "best plays CHANGED"; fi \
  | tee "$out/best-plays.txt"
echo "screenshots in $out"
