#!/usr/bin/env bash
# Runs a program as an X client of Xwayland under a real Wayland compositor:
# a virtual X display (Xvfb) holds weston's X11 backend, weston runs
# Xwayland, and the program gets Xwayland as its DISPLAY. The pointer is
# moved on the virtual display underneath (RINGDISK_POINTER_DISPLAY), as a
# player's mouse moves the compositor's pointer. Without Xvfb or weston the
# program runs with no display and its tests report that they were skipped.
set -euo pipefail
if ! command -v Xvfb >/dev/null 2>&1 || ! command -v weston >/dev/null 2>&1; then
  echo "run-with-xwayland: Xvfb or weston not found; the compositor tests will be skipped" >&2
  unset DISPLAY
  exec "$@"
fi

work=$(mktemp -d)
chmod 700 "$work"
xvfb_pid=""
weston_pid=""
cleanup() {
  [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null && wait "$weston_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

trap 'echo "run-with-xwayland: failed at line $LINENO" >&2' ERR

# Xvfb picks a free display number and writes it into a pipe of our own.
mkfifo "$work/display"
exec {numbers}<>"$work/display"
Xvfb -displayfd "$numbers" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 20 host <&"$numbers" || { cat "$work/xvfb.log" >&2; exit 1; }

# Software drawing in the compositor and in the clients alike.
DISPLAY=":$host" XDG_RUNTIME_DIR="$work" weston --backend=x11-backend.so --use-pixman \
  --xwayland --socket=wayland-ringdisk --width=900 --height=700 --idle-time=0 \
  --log="$work/weston.log" >/dev/null 2>&1 &
weston_pid=$!
xwayland=""
for _ in $(seq 1 200); do
  # (weston may not have made its log yet)
  xwayland=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log" 2>/dev/null | tail -1 || true)
  [ -n "$xwayland" ] && break
  sleep 0.1
done
if [ -z "$xwayland" ]; then
  echo "run-with-xwayland: weston started no Xwayland:" >&2
  cat "$work/weston.log" >&2 || true
  exit 1
fi

# Xwayland starts on the first client; wait until it answers.
for _ in $(seq 1 100); do
  DISPLAY="$xwayland" xdotool getmouselocation >/dev/null 2>&1 && break
  sleep 0.1
done

set +e
env DISPLAY="$xwayland" RINGDISK_POINTER_DISPLAY=":$host" XDG_RUNTIME_DIR="$work" \
  WAYLAND_DISPLAY=wayland-ringdisk LIBGL_ALWAYS_SOFTWARE=1 "$@"
status=$?
set -e
exit $status
