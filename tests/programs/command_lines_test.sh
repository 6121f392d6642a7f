#!/usr/bin/env bash
# The programs' command lines, without a display:
#   1. --help prints the usage on standard output, nothing on standard error,
#      exit status 0; --version prints "NAME VERSION", exit status 0;
#   2. an unknown option, and an option without its value, get exactly one
#      line on standard error naming it, nothing on standard output, exit 2;
#   3. the window program's design switches and Qt's options are still
#      taken (it goes on to look for a display, which is not there);
#   4. the manual pages list --help and --version, ringdisk(6) documents
#      --replay and the replays folder, and no longer says that only the
#      first two arguments are looked at.
# Usage: command_lines_test.sh RINGDISK RINGDISK_BOT SHOTREPLAY DIST_DIR
set -uo pipefail
ringdisk="$1"
bot="$2"
shotreplay="$3"
dist="$4"
# shellcheck source=../shell_checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/../shell_checks.sh"
cd "$work" || exit 1
unset DISPLAY WAYLAND_DISPLAY
ulimit -c 0

# run PROGRAM ARGS...: sets status, out and err.
run() {
  timeout 20 "$@" >out.txt 2>err.txt
  status=$?
  out="$(cat out.txt)"
  err="$(cat err.txt)"
}

for program in "$ringdisk" "$bot" "$shotreplay"; do
  name="$(basename "$program")"
  run "$program" --help
  [ "$status" -eq 0 ] || fail "$name --help: exit $status ($err)"
  grep -q "^usage: $name" out.txt || fail "$name --help: no usage on standard output: $out"
  grep -q -- "--version" out.txt || fail "$name --help does not list --version"
  [ -z "$err" ] || fail "$name --help wrote to standard error: $err"

  run "$program" --version
  [ "$status" -eq 0 ] || fail "$name --version: exit $status ($err)"
  [[ "$out" =~ ^$name\ [0-9]+\.[0-9]+ ]] || fail "$name --version said: $out"
  [ "$(wc -l <out.txt)" -eq 1 ] || fail "$name --version is not one line: $out"

  for bad in --bogus -x; do
    run "$program" "$bad"
    [ "$status" -eq 2 ] || fail "$name $bad: exit $status, not 2"
    [ "$(wc -l <err.txt)" -eq 1 ] || fail "$name $bad: not one line on standard error: $err"
    [[ "$err" == "$name: "*"$bad"* ]] || fail "$name $bad: the line does not name it: $err"
    [ -z "$out" ] || fail "$name $bad wrote to standard output: $out"
  done
done

# Options that need a value, given none.
for line in "$ringdisk --replay" "$ringdisk -display" "$bot --host" "$shotreplay --replay"; do
  run $line
  [ "$status" -eq 2 ] && [ "$(wc -l <err.txt)" -eq 1 ] ||
    fail "$(basename "${line%% *}") ${line#* } without its value: exit $status, $err"
done
run "$shotreplay"
[ "$status" -eq 2 ] && [ "$(wc -l <err.txt)" -eq 1 ] || fail "shotreplay without a seed: exit $status, $err"
run "$ringdisk" stray
[ "$status" -eq 2 ] || fail "ringdisk with a stray argument: exit $status"

# Accepted command lines go on to open the window, and so reach Qt's search
# for a display, which has none here: no refusal of ours on the way.
for args in "-d" "-DEBUG -high" "-h -d" "-high --replay x.rdreplay" "-display :99 -d" \
            "-style=fusion -reverse" "--replay some.rdreplay -H"; do
  run "$ringdisk" $args
  [ "$status" -ne 2 ] && [ "$status" -ne 0 ] || fail "ringdisk $args: exit $status"
  grep -q "see ringdisk --help" err.txt && fail "ringdisk $args was refused: $err"
done

# The manual pages.
for page in ringdisk ringdisk-bot; do
  man="$dist/$page.6"
  [ -f "$man" ] || { fail "no $man"; continue; }
  grep -q -- '\\-\\-help' "$man" || fail "$page(6) does not list --help"
  grep -q -- '\\-\\-version' "$man" || fail "$page(6) does not list --version"
done
grep -q -- '\\-\\-replay' "$dist/ringdisk.6" || fail "ringdisk(6) does not document --replay"
grep -q 'replays' "$dist/ringdisk.6" || fail "ringdisk(6) does not name the replays folder"
grep -q 'Only the first two arguments' "$dist/ringdisk.6" &&
  fail "ringdisk(6) still says only the first two arguments are looked at"

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "all command lines answered as expected"
