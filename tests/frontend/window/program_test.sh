#!/usr/bin/env bash
# The real program `ringdisk` on the virtual display the test command starts:
#   1. in a folder without dados.vpf it tells why it cannot start, exits 1
#      and leaves no ringdisk.ini behind;
#   2. with the package it opens "VEX Ringdisk v1.1" with the 570 x 400 game
#      panel at the left of its 760 x 400 client area;
#   3. hosting a game, a SIGTERM closes it the orderly way: the player
#      connected hears "ENDS:", the settings are saved, the exit status is 0,
#      and no X error is reported.
# Usage: program_test.sh RINGDISK PACKAGE
set -uo pipefail
ringdisk="$1"
package="$2"
if [ -z "${DISPLAY:-}" ]; then
  echo "[  SKIPPED ] no X display for the program's tests"
  exit 0
fi
# shellcheck source=../../shell_checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../shell_checks.sh"

# The top-level windows on screen now (the library's SDL box carries no
# name xdotool finds, so the server is asked directly).
viewable_windows() {
  xwininfo -root -children | awk '/^ +0x/ {print $1}' | while read -r w; do
    xwininfo -id "$w" 2>/dev/null | grep -q IsViewable && echo "$w"
  done
}

# The window on screen titled exactly $1, in decimal, or nothing.
window_named() {
  xwininfo -root -children | grep -F " \"$1\": " | awk '{print $1}' | while read -r w; do
    xwininfo -id "$w" 2>/dev/null | grep -q IsViewable && printf '%d\n' "$w"
  done | head -1
}

# Presses Return in every window on screen except $2, once.
press_return_in_boxes() {
  local keep="${2:-}"
  for w in $(viewable_windows); do
    [ -n "$keep" ] && [ "$((w))" -eq "$keep" ] && continue
    xdotool windowfocus "$w" 2>/dev/null
    sleep 0.3
    xdotool key Return 2>/dev/null
  done
}

# Waits (at most 20 s) for a window other than $1 to show, then presses
# Return in it: the dialog's default button.
confirm_dialog() {
  for _ in $(seq 1 40); do
    for w in $(viewable_windows); do
      if [ "$((w))" -ne "$1" ]; then
        press_return_in_boxes "$1"
        return 0
      fi
    done
    sleep 0.5
  done
  return 1
}

# Answers the boxes of process $1 until it ends (at most $2 seconds).
answer_boxes_until_exit() {
  local pid="$1" limit="$2" waited=0
  while kill -0 "$pid" 2>/dev/null && [ "$waited" -lt "$limit" ]; do
    sleep 1
    press_return_in_boxes
    waited=$((waited + 1))
  done
}

echo "== start failure without dados.vpf"
mkdir "$work/empty"
(cd "$work/empty" && exec "$ringdisk" 2> "$work/failure.err") &
pid=$!
answer_boxes_until_exit "$pid" 30
wait "$pid"
status=$?
[ "$status" -eq 1 ] || fail "start failure exited with $status, not 1"
[ ! -e "$work/empty/ringdisk.ini" ] || fail "start failure wrote ringdisk.ini"
grep -q "IniciarD3D failed" "$work/failure.err" || fail "no reason on stderr"

if [ ! -f "$package" ]; then
  echo "[  SKIPPED ] no game package $package: the window itself was not tried"
  exit "$((failures > 0))"
fi

echo "== the window, hosting, closed by SIGTERM"
mkdir "$work/game"
ln -s "$package" "$work/game/dados.vpf"
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
# The game stays on this machine: the router is not asked to forward its port.
printf '[criarf]\r\nPorta=%s\r\n[main]\r\nNick=Ana\r\n[Config]\r\nAbrir porta no roteador=0\r\n' \
  "$port" > "$work/game/ringdisk.ini"
(cd "$work/game" && exec "$ringdisk" 2> "$work/game.err") &
pid=$!
window=""
for _ in $(seq 1 60); do
  window=$(window_named "VEX Ringdisk v1.1")
  [ -n "$window" ] && break
  sleep 0.5
done
if [ -z "$window" ]; then
  fail "no window titled \"VEX Ringdisk v1.1\""
  kill "$pid"
  cat "$work/game.err"
  exit 1
fi
sleep 2
# The game panel: a child window of 570 x 400 at the left edge.
tree=$(xwininfo -tree -id "$window")
echo "$tree" | grep -Eq '570x400\+0\+[0-9]+ ' || fail "no 570x400 child at the left: $tree"
client_width=$(xwininfo -id "$window" | awk '/Width:/ {print $2}')
[ "$client_width" -eq 760 ] || fail "client width $client_width, not 760"
if [ -n "${RINGDISK_SCREENSHOT:-}" ] && command -v import >/dev/null; then
  import -window "$window" "$RINGDISK_SCREENSHOT"
fi

# "Criar", then confirm the create dialog with its default button.
create_x=$((570 + 8 + 12 + 40))
menu_height=$(( $(xwininfo -id "$window" | awk '/Height:/ {print $2}') - 400 ))
create_y=$((menu_height + 76 + 62 + 14))
xdotool mousemove --window "$window" "$create_x" "$create_y" click 1
confirm_dialog "$window" || fail "no create dialog"

python3 - "$port" <<'PY' > "$work/peer.out" &
import socket, sys, time
port = int(sys.argv[1])
deadline = time.time() + 30
while True:
    try:
        s = socket.create_connection(("127.0.0.1", port), timeout=2)
        break
    except OSError:
        if time.time() > deadline: print("NOCONNECT"); sys.exit(1)
        time.sleep(0.2)
login = b"NICK:Bob,"
s.sendall(bytes([len(login)]) + login)
print("CONNECTED", flush=True)
s.settimeout(30)
data = b""
while True:
    chunk = s.recv(4096)
    if not chunk: break
    data += chunk
    if b"ENDS:" in data: print("ENDS", flush=True); break
PY
peer=$!
for _ in $(seq 1 30); do grep -q CONNECTED "$work/peer.out" && break; sleep 0.5; done
sleep 1
kill -TERM "$pid"
wait "$pid"
status=$?
wait "$peer"
[ "$status" -eq 0 ] || fail "SIGTERM close exited with $status, not 0"
grep -q ENDS "$work/peer.out" || fail "the connected player was not told ENDS: ($(cat "$work/peer.out"))"
grep -q "Nick=Ana" "$work/game/ringdisk.ini" || fail "settings not saved at the close"
if grep -Eq "X Error|BadWindow|BadDrawable" "$work/game.err"; then
  fail "X errors on stderr: $(cat "$work/game.err")"
fi
finish "program tests passed"
