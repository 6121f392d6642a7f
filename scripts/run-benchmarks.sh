#!/usr/bin/env bash
# Runs every benchmark program of the build.
set -euo pipefail
build_dir="${1:-build}"
for b in "$build_dir"/bench/*_bench; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b"
done
