#!/usr/bin/env bash
# Runs every benchmark program of the build.
set -euo pipefail
build_dir="${1:-build}"
for b in "$build_dir"/bench/*_bench; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  # The frame and HUD benchmarks draw, and the input benchmark reads a
  # window: give them a virtual display.
  case "$(basename "$b")" in
    scene_frame_bench | hud_bench | input_bench) "$(dirname "$0")/run-with-display.sh" "$b" ;;
    *) "$b" ;;
  esac
done
