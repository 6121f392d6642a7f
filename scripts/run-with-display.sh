#!/usr/bin/env bash
# Runs a program on a fresh virtual X display (Xvfb, 24-bit), for tests that
# draw. Without xvfb-run the program runs as it is and its tests report
# that they found no display.
set -euo pipefail
if command -v xvfb-run >/dev/null 2>&1; then
  # Mesa's software renderer, whatever GPU the machine may have.
  # RINGDISK_SCREEN gives a test a larger screen (WIDTHxHEIGHTxDEPTH).
  exec env LIBGL_ALWAYS_SOFTWARE=1 xvfb-run -a -s "-screen 0 ${RINGDISK_SCREEN:-1024x768x24} -noreset" "$@"
fi
echo "run-with-display: xvfb-run not found; drawing tests will be skipped" >&2
unset DISPLAY
exec "$@"
