#!/usr/bin/env bash
# Runs a command in a network namespace of its own whose one interface is
# loopback, so that everything the programs under test reach, and the
# address they believe is this machine's, stays on this machine. Where no
# namespace can be made (no unshare, user namespaces turned off) the command
# runs as it is, and says so.
#   scripts/loopback-only.sh COMMAND [ARGUMENTS...]
set -euo pipefail
if [ -z "${RINGDISK_LOOPBACK_ONLY:-}" ] && command -v unshare >/dev/null 2>&1 &&
   unshare --user --map-root-user --net true 2>/dev/null; then
  exec unshare --user --map-root-user --net env RINGDISK_LOOPBACK_ONLY=1 "$0" "$@"
fi
if [ -n "${RINGDISK_LOOPBACK_ONLY:-}" ]; then
  ip link set lo up
else
  echo "loopback-only: no network namespace could be made; running in the machine's own" >&2
fi
exec "$@"
