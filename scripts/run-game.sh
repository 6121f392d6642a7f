#!/usr/bin/env bash
# Starts the game from the folder that holds the built program, its library
# and the game package dados.vpf (the program looks for the package, and
# keeps its settings file ringdisk.ini, in the folder it starts in).
set -euo pipefail
build_dir="${1:-build}"
cd "$build_dir/bin"
exec ./ringdisk "${@:2}"
