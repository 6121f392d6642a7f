# What the shell tests share, sourced after their arguments are read: a
# scratch folder removed on exit, `fail` to note a failed check and go on,
# and `finish` to end with the failures counted.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# finish MESSAGE: says MESSAGE when nothing failed; exits 1 when anything did.
finish() {
  [ "$failures" -eq 0 ] && echo "$1"
  exit "$((failures > 0))"
}
