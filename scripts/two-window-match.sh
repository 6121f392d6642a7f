#!/usr/bin/env bash
# Two `ringdisk` windows on one virtual display play the start of a match
# over 127.0.0.1, driven like a person would: Ana hosts ("Criar"), Bob joins
# ("Entrar"), Ana starts the match, each aims and shoots with the mouse
# (xdotool), and Ana's "/vsync" checks Bob's table against hers. Screenshots
# of both windows go to OUT (default build/two-window-match): the chat in
# Ana's window then reads "No desync at ID 2". With BOB_AIMS_WITH=keys Bob
# aims with the keys alone, the pointer resting over the table.
#   scripts/two-window-match.sh [BUILD_DIR] [OUT]
# Room for both windows side by side.
. "$(dirname "$0")/virtual-display.sh" two-window-match 1600x900 "$@"

work="$(mktemp -d)"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill -TERM "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
start_window() {  # name left
  mkdir -p "$work/$1"
  ln -s "$build/bin/dados.vpf" "$work/$1/dados.vpf"
  printf '[main]\r\n_X=%s\r\n_Y=0\r\nNick=%s\r\n[criarf]\r\nPorta=%s\r\n[conectarf]\r\nIP=127.0.0.1\r\nPorta=%s\r\n' \
    "$2" "$1" "$port" "$port" > "$work/$1/ringdisk.ini"
  (cd "$work/$1" && exec "$build/bin/ringdisk" 2> "$out/$1.err") &
  pids+=($!)
}
window_at() {  # the game window whose left edge is $1
  for w in $(xwininfo -root -children | grep -F ' "VEX Ringdisk v1.1": ' | awk '{print $1}'); do
    if [ "$(xwininfo -id "$w" | awk '/Absolute upper-left X/ {print $4}')" -eq "$1" ]; then
      echo "$w"
    fi
  done
}
confirm_dialog() {  # presses Return in the dialog that is not one of the game windows
  for w in $(xwininfo -root -children | awk '/^ +0x/ {print $1}'); do
    xwininfo -id "$w" | grep -q IsViewable || continue
    if [ "$((w))" -eq "$((ana))" ] || [ "$((w))" -eq "$((bob))" ]; then continue; fi
    xdotool windowfocus "$w"
    sleep 0.3
    xdotool key Return
  done
}
shoot() {  # window: place the striker, hold, pull the cue back, let go
  xdotool windowfocus "$1"
  xdotool mousemove --window "$1" 260 $((menu + 250))
  sleep 1
  xdotool mousemove --window "$1" 262 $((menu + 252))
  sleep 1
  xdotool mousedown 1
  sleep 0.5
  for _ in $(seq 1 12); do xdotool mousemove_relative -- 1 6; sleep 0.1; done
  sleep 0.5
  xdotool mouseup 1
}
shoot_with_keys() {  # window: the pointer only rests over the table, as a keys player's may
  xdotool windowfocus "$1"
  xdotool mousemove --window "$1" 285 $((menu + 100))
  sleep 1
  # Each key held as long as a finger holds it: the game reads the keys once a frame.
  for key in Right Right space $(printf 'Down %.0s' $(seq 1 15)) space; do
    xdotool keydown "$key"
    sleep 0.08
    xdotool keyup "$key"
    sleep 0.15
  done
}
screenshot() {  # name
  python3 "$here/x11-screenshot.py" "$out/$1-ana.png" "$ana"
  python3 "$here/x11-screenshot.py" "$out/$1-bob.png" "$bob"
}

start_window Ana 0
sleep 5
start_window Bob 800
for _ in $(seq 1 60); do
  ana=$(window_at 0)
  bob=$(window_at 800)
  [ -n "$ana" ] && [ -n "$bob" ] && break
  sleep 0.5
done
menu=$(( $(xwininfo -id "$ana" | awk '/Height:/ {print $2}') - 400 ))

xdotool windowfocus "$ana"
xdotool mousemove --window "$ana" 630 $((menu + 152)) click 1   # "Criar"
sleep 1.5
confirm_dialog
sleep 1
xdotool windowfocus "$bob"
xdotool mousemove --window "$bob" 630 $((menu + 116)) click 1   # "Entrar"
sleep 1.5
confirm_dialog
sleep 3
xdotool windowfocus "$ana"
xdotool mousemove --window "$ana" 620 $((menu + 360)) click 1   # "Iniciar"
sleep 4
screenshot 1-started

shoot "$ana"
sleep 15
screenshot 2-after-ana
if [ "${BOB_AIMS_WITH:-mouse}" = keys ]; then shoot_with_keys "$bob"; else shoot "$bob"; fi
sleep 15
xdotool windowfocus "$ana"
xdotool mousemove --window "$ana" 600 $((menu + 310)) click 1   # the chat line
sleep 0.5
xdotool type --delay 50 "/vsync"
xdotool key Return
sleep 3
screenshot 3-vsync
echo "screenshots in $out"
