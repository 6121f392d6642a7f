# Sourced first by the scripts that drive `ringdisk` windows on a virtual
# display, with the script's name for its output, the screen it needs and
# the script's own arguments [BUILD_DIR] [OUT]:
#   . "$(dirname "$0")/virtual-display.sh" NAME WIDTHxHEIGHT "$@"
# Sets build, out (default BUILD_DIR/NAME) and here (the scripts folder),
# and runs the script again on a virtual display of its own with software
# rendering, unless it already runs on one.
set -euo pipefail
build="$(cd "${3:-build}" && pwd)"
out="$(mkdir -p "${4:-$build/$1}" && cd "${4:-$build/$1}" && pwd)"
here="$(cd "$(dirname "$0")" && pwd)"
if [ -z "${RINGDISK_VIRTUAL_DISPLAY:-}" ]; then
  exec env RINGDISK_VIRTUAL_DISPLAY=1 LIBGL_ALWAYS_SOFTWARE=1 \
    xvfb-run -a -s "-screen 0 ${2}x24 -noreset" "$0" "$build" "$out"
fi
