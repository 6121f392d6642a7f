#!/usr/bin/env bash
# The window's side of the router test, on a virtual display inside the
# home namespace: starts `ringdisk` in the current folder, presses "Criar",
# gives the create dialog time to hear from the router, confirms it, and
# ends the program with SIGTERM once the file named by $3 exists. With
# RINGDISK_SCREENSHOT_DIR set, the dialog and then the window are saved there.
# window_host.sh RINGDISK SECONDS-IN-DIALOG STOP-FILE
set -u
ringdisk=$1 in_dialog=$2 stop_file=$3

visible_window() {  # the first visible window titled exactly $1, or nothing
  xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1
}
wait_window() {
  local w
  for _ in $(seq 100); do
    w=$(visible_window "$1")
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.2
  done
  return 1
}
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
screenshot() {  # screenshot NAME WINDOW
  [ -n "${RINGDISK_SCREENSHOT_DIR:-}" ] || return 0
  python3 "$(dirname "$0")/../../../scripts/x11-screenshot.py" "$RINGDISK_SCREENSHOT_DIR/$1.png" "$2"
}

"$ringdisk" 2> window.err &
pid=$!
window=$(wait_window "VEX Ringdisk v1.1") || { echo "NOWINDOW"; kill "$pid"; exit 1; }
sleep 2
# "Criar": the button under the nickname in the panel at the right.
menu_height=$(( $(xwininfo -id "$window" | awk '/Height:/ {print $2}') - 400 ))
xdotool mousemove --window "$window" $((570 + 8 + 12 + 40)) $((menu_height + 76 + 62 + 14)) click 1
dialog=$(wait_window "Create a game") || { echo "NODIALOG"; kill "$pid"; exit 1; }
echo "DIALOG $(now_ms)"
sleep "$in_dialog"
screenshot create-dialog "$dialog"
xdotool windowfocus "$dialog" 2>/dev/null
sleep 0.2
echo "CRIAR $(now_ms)"
xdotool key Return
for _ in $(seq 300); do [ -e "$stop_file" ] && break; sleep 0.1; done
screenshot hosting "$window"
kill -TERM "$pid"
wait "$pid"
echo "EXIT $?"
