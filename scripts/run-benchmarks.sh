#!/usr/bin/env bash
# Runs every benchmark program of the build.
set -euo pipefail
build_dir="${1:-build}"
for b in "$build_dir"/bench/*_bench; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  # The frame benchmark draws and the input benchmark reads a window: give
  # them a virtual display.
  if [ "$(basename "$b")" = frame_bench ] || [ "$(basename "$b")" = input_bench ]; then
    "$(dirname "$0")/run-with-display.sh" "$b"
  else
    "$b"
  fi
done
