# What the tests that build networks of namespaces share, sourced after
# their arguments are read: skipping and failing (either ends the test),
# waiting on what a peer printed to $work/NAME.out, telling a peer a line
# through its pipe, and clearing the namespaces a killed run left behind.
skip() { echo "[  SKIPPED ] $*"; exit 77; }
fail() { echo "FAIL: $*"; exit 1; }

wait_for() {  # wait_for SECONDS COMMAND...: true once the command is
  local until=$(( $(date +%s%N) + $1 * 1000000000 ))
  shift
  while ! "$@"; do
    [ "$(date +%s%N)" -lt "$until" ] || return 1
    sleep 0.05
  done
}
said() { grep -qF -- "$2" "$work/$1.out"; }
tell() { local fd="fd_$1"; echo "$2" >&"${!fd}"; }
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# remove_stale_namespaces PREFIX: the namespaces named PREFIX<pid>-<n>-<part>
# whose run (pid) is gone, with what still runs in them and their hosts files.
remove_stale_namespaces() {
  local prefix=$1 stale owner p
  for stale in $(ip netns list 2>/dev/null | awk '{print $1}' | grep -E "^$prefix[0-9]+-[0-9]+-[a-z]+\$"); do
    owner=${stale#"$prefix"}
    owner=${owner%%-*}
    kill -0 "$owner" 2>/dev/null && continue
    for p in $(ip netns pids "$stale" 2>/dev/null); do kill -KILL "$p" 2>/dev/null; done
    ip netns del "$stale" 2>/dev/null
    rm -rf "/etc/netns/$stale"
  done
}
