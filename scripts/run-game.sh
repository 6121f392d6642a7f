#!/usr/bin/env bash
# Starts the game from the folder that holds the built program.
#
# The window program is not built yet: until it is, this plays a short
# demonstration match through the game library's interface in the terminal
# and leaves the position dump of the final table in the build folder.
set -euo pipefail
build_dir="${1:-build}"
cd "$build_dir/bin"
echo "Ringdisk: the window program is not built yet; playing a terminal demonstration match."
./shotreplay 2026
echo "Final table written to $(pwd)/dump_host_0.log"
