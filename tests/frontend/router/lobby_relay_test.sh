#!/usr/bin/env bash
# Joining from the lobby through real routers that forward nothing. Five
# network namespaces of the test's own, documentation addresses only, no
# route out of them, no UPnP or NAT-PMP anywhere:
#   home A    192.0.2.10/26      Ana, who hosts, behind router A's NAT
#   router A  192.0.2.1 (LAN), 198.51.100.1 (WAN)
#   home B    192.0.2.74/26      Bob, who joins, behind router B's NAT
#   router B  192.0.2.65 (LAN), 198.51.100.2 (WAN)
#   internet  198.51.100.20      the lobby's Prosody (room and relay) from
#                                the shipped configuration, with a
#                                certificate made for this run
# Names are looked up in a hosts file of the test's own in each namespace.
#  1. Bob joins Ana's listed game: the direct try fails, the relay carries
#     the line; two shots each, then "/vsync" finds no desync, and the
#     relay's log shows the stream. The time from "Join" to the first frame
#     and the bytes the relay carried are printed.
#  2. Prosody is restarted mid-match, which cuts the relayed line: Ana
#     holds Bob's seat, both sign in again and Bob comes back over a new
#     relayed line; the match goes on in agreement.
#     The bytes the relay carried for the match so far are printed.
#  3. Router A forwards the game's port and Ana names the router's address:
#     Bob, from the internet, joins directly, and the relay carries nothing.
# Needs root for the namespaces; without them the test is skipped (77).
#
# lobby_relay_test.sh HEADLESS_PEER LOBBY_DIST_FOLDER
set -u
peer=$(realpath "$1")
dist=$(realpath "$2")

source "$(dirname "$(realpath "$0")")/namespace_steps.sh"
log() { echo "relay-test: $*"; }

[ "$(id -u)" -eq 0 ] || skip "making network namespaces needs root"
for tool in ip nft prosody openssl; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/install-deps.sh)"
done

domain=lobby.example.org
names=(homea routera homeb routerb net)

# Namespaces (and their hosts files) left by a run that was killed, its
# process gone, are removed first with what still runs in them.
remove_stale_namespaces rl
tag="rl$$-$RANDOM"
for n in "${names[@]}"; do declare "ns_$n=$tag-$n"; done
work=$(mktemp -d)
pids=()

cleanup() {
  for p in "${pids[@]}"; do kill -KILL "$p" 2>/dev/null; done
  for n in "${names[@]}"; do
    for p in $(ip netns pids "$tag-$n" 2>/dev/null); do kill -KILL "$p" 2>/dev/null; done
  done
  wait 2>/dev/null
  for n in "${names[@]}"; do
    ip netns del "$tag-$n" 2>/dev/null
    rm -rf "/etc/netns/$tag-$n"
  done
  rmdir /etc/netns 2>/dev/null
  [ -n "${KEEP_WORK:-}" ] && echo "kept $work" || rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

ip netns add "$ns_homea" 2>/dev/null || skip "ip netns add failed: no network namespaces here"
for n in routera homeb routerb net; do
  ns="ns_$n"
  ip netns add "${!ns}" || fail "could not make the namespaces"
done
for n in "${names[@]}"; do ip -n "$tag-$n" link set lo up; done

# The internet is one segment (a bridge) that both routers' WAN sides plug into.
ip -n "$ns_net" link add br0 type bridge
ip link add h0 netns "$ns_homea" type veth peer name r0 netns "$ns_routera" || fail "veth home A"
ip link add h0 netns "$ns_homeb" type veth peer name r0 netns "$ns_routerb" || fail "veth home B"
ip link add r1 netns "$ns_routera" type veth peer name pa netns "$ns_net" || fail "veth router A"
ip link add r1 netns "$ns_routerb" type veth peer name pb netns "$ns_net" || fail "veth router B"
ip -n "$ns_net" link set pa master br0
ip -n "$ns_net" link set pb master br0
ip -n "$ns_homea" addr add 192.0.2.10/26 dev h0
ip -n "$ns_routera" addr add 192.0.2.1/26 dev r0
ip -n "$ns_routera" addr add 198.51.100.1/24 dev r1
ip -n "$ns_homeb" addr add 192.0.2.74/26 dev h0
ip -n "$ns_routerb" addr add 192.0.2.65/26 dev r0
ip -n "$ns_routerb" addr add 198.51.100.2/24 dev r1
ip -n "$ns_net" addr add 198.51.100.20/24 dev br0
for pair in "$ns_homea h0" "$ns_routera r0" "$ns_routera r1" "$ns_homeb h0" "$ns_routerb r0" \
            "$ns_routerb r1" "$ns_net pa" "$ns_net pb" "$ns_net br0"; do
  set -- $pair
  ip -n "$1" link set "$2" up
done
# Homes go everywhere through their router, and the routers through the
# internet, which forwards nothing: an address behind the other router is
# lost on the way, as a private address is on the real internet.
ip -n "$ns_homea" route add default via 192.0.2.1
ip -n "$ns_homeb" route add default via 192.0.2.65
ip -n "$ns_routera" route add default via 198.51.100.20
ip -n "$ns_routerb" route add default via 198.51.100.20
for r in "$ns_routera" "$ns_routerb"; do
  ip netns exec "$r" sysctl -qw net.ipv4.ip_forward=1
  ip netns exec "$r" nft -f - <<'NFT' || fail "the routers' nftables rules"
table inet router {
  chain forward {
    type filter hook forward priority 0; policy drop;
    ct state established,related accept
    iifname "r0" oifname "r1" accept
    ct status dnat accept
  }
  chain prerouting {
    type nat hook prerouting priority -100; policy accept;
  }
  chain postrouting {
    type nat hook postrouting priority 100; policy accept;
    oifname "r1" masquerade
  }
}
NFT
done
# What passes the relay's port, both ways, counted on the server.
ip netns exec "$ns_net" nft -f - <<'NFT' || fail "the relay's counters"
table inet relay {
  counter carried_in {}
  counter carried_out {}
  chain input {
    type filter hook input priority 0; policy accept;
    tcp dport 5000 counter name carried_in
  }
  chain output {
    type filter hook output priority 0; policy accept;
    tcp sport 5000 counter name carried_out
  }
}
NFT
relay_bytes() {  # the bytes the relay's port received and sent, as "IN OUT"
  local in out
  in=$(ip netns exec "$ns_net" nft list counter inet relay carried_in | grep -o 'bytes [0-9]*' | cut -d' ' -f2)
  out=$(ip netns exec "$ns_net" nft list counter inet relay carried_out | grep -o 'bytes [0-9]*' | cut -d' ' -f2)
  echo "$in $out"
}
reset_relay_bytes() { ip netns exec "$ns_net" nft reset counters table inet relay >/dev/null; }

# The lobby's names, for everyone, from the test's own hosts files.
for n in homea homeb net; do
  mkdir -p "/etc/netns/$tag-$n"
  printf '127.0.0.1 localhost\n198.51.100.20 %s rooms.%s relay.%s\n' "$domain" "$domain" "$domain" \
    > "/etc/netns/$tag-$n/hosts"
done

# ---- the lobby ----------------------------------------------------------------------

mkdir -p "$work/prosody/certs" "$work/prosody/data"
openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2 \
  -subj "/CN=$domain" -addext "subjectAltName=DNS:$domain,DNS:rooms.$domain,DNS:relay.$domain" \
  -keyout "$work/prosody/certs/$domain.key" -out "$work/prosody/certs/$domain.crt" 2>/dev/null ||
  fail "openssl could not make the lobby's certificate"
ca="$work/prosody/certs/$domain.crt"
prosody_log="$work/prosody/prosody.log"

rooms_opened() { cat "$prosody_log" 2>/dev/null | grep -c "Ringdisk lobby room lobby@rooms.$domain is open"; }
prosody_pid=
start_prosody() {
  ip netns exec "$ns_net" env RINGDISK_LOBBY_DOMAIN="$domain" RINGDISK_LOBBY_INTERFACE=198.51.100.20 \
    RINGDISK_LOBBY_DATA="$work/prosody/data" RINGDISK_LOBBY_CERTS="$work/prosody/certs" \
    RINGDISK_LOBBY_PIDFILE="$work/prosody/prosody.pid" RINGDISK_LOBBY_LOG="$prosody_log" \
    RINGDISK_LOBBY_PLUGINS="$dist" RINGDISK_LOBBY_RUN_AS_ROOT=1 \
    prosody -F --config "$dist/prosody.cfg.lua" >> "$work/prosody/out" 2>&1 &
  prosody_pid=$!
  pids+=($prosody_pid)
  local opened
  opened=$(rooms_opened)
  wait_for 20 eval '[ "$(rooms_opened)" -gt '"$opened"' ]' ||
    { cat "$work/prosody/out" "$prosody_log"; fail "prosody did not open the lobby room"; }
}
stop_prosody() {
  kill -TERM "$prosody_pid"
  wait "$prosody_pid" 2>/dev/null
}
relayed_streams() { grep -c "Relayed stream .* opened" "$prosody_log"; }

# ---- helpers --------------------------------------------------------------------------

said_times() { [ "$(grep -cF -- "$2" "$work/$1.out")" -ge "$3" ]; }
# The time of the first line, at or after line FROM, that holds TEXT.
stamp_of() {  # stamp_of NAME FROM TEXT
  awk -v from="$2" -v text="$3" 'NR > from && index($0, text) { print $1; exit }' "$work/$1.stamped"
}

# start_peer NAME NAMESPACE ARGS...: a headless peer at the lobby, fed through
# a pipe; each line it prints is also kept with the time it came.
start_peer() {
  local name=$1 ns=$2
  shift 2
  rm -rf "$work/$name" "$work/$name.in" "$work/$name.out" "$work/$name.stamped"
  mkfifo "$work/$name.in"
  mkdir -p "$work/$name"
  touch "$work/$name.out" "$work/$name.stamped"
  (cd "$work/$name" && exec ip netns exec "$ns" "$peer" --name "$name" --lifetime 300 --tick-ms 2 \
     --lobby "$domain" --lobby-address "$domain" --lobby-ca "$ca" "$@" \
     < "$work/$name.in" 2> "$work/$name.err" |
     while IFS= read -r line; do
       # Stamped first: a line waited for in .out then has its time.
       echo "$(now_ms) $line" >> "$work/$name.stamped"
       echo "$line" >> "$work/$name.out"
     done) &
  eval "peer_$name=$!"
  pids+=($!)
  eval "exec {fd_$name}>\"$work/$name.in\""
  wait_for 10 said "$name" READY || fail "$name did not start"
  wait_for 20 said "$name" "LOBBY $name" || { cat "$work/$name.out" "$work/$name.err"; fail "$name did not get into the lobby"; }
}
end_peer() {  # end_peer NAME: quits it and waits until it has
  local p="peer_$1" fd="fd_$1"
  tell "$1" quit
  eval "exec {$fd}>&-"
  wait "${!p}"
}
lines_of() { wc -l < "$work/$1.out"; }

# state NAME KEY: a field of the peer's state now.
state() {
  local before
  before=$(grep -c '^STATE ' "$work/$1.out")
  tell "$1" state
  wait_for 5 eval "[ \$(grep -c '^STATE ' '$work/$1.out') -gt $before ]" || fail "$1 did not tell its state"
  grep '^STATE ' "$work/$1.out" | tail -1 | tr ' ' '\n' | sed -n "s/^$2=//p"
}
# Both tables at rest with the same shared positions.
settled() {
  [ "$(state Ana moving)$(state Ana queue)$(state Bob moving)$(state Bob queue)" = 0000 ] &&
    [ "$(state Ana sfp)" = "$(state Bob sfp)" ]
}

# Whoever is to move shoots, straight up the table from a place on the own
# line that moves along with every shot, and both tables come to rest alike.
shots_fired=0
last_shooter=
shoot_once() {
  local shooter=Ana z=21.65 before
  [ "$(state Ana current)" = 1 ] && shooter=Bob z=-21.65
  before=$(grep -c '^SHOT$' "$work/$shooter.out")
  tell "$shooter" "shoot $(( (shots_fired * 7) % 35 - 17 )) $z 10 0"
  wait_for 5 eval "[ \$(grep -c '^SHOT\$' '$work/$shooter.out') -gt $before ]" ||
    fail "$shooter's shot was not taken ($(tail -1 "$work/$shooter.out"))"
  shots_fired=$((shots_fired + 1))
  last_shooter=$shooter
  wait_for 30 settled || {
    grep '^STATE ' "$work/Ana.out" | tail -1
    grep '^STATE ' "$work/Bob.out" | tail -1
    fail "the tables did not come to rest alike after $shooter's shot"
  }
}
play_shots() {  # play_shots EACH: until each player has shot EACH times more
  local ana=0 bob=0 limit=$((shots_fired + 6 * $1))
  while [ "$ana" -lt "$1" ] || [ "$bob" -lt "$1" ]; do
    [ "$shots_fired" -lt "$limit" ] || fail "the players did not take turns in $((6 * $1)) shots"
    shoot_once
    [ "$last_shooter" = Ana ] && ana=$((ana + 1)) || bob=$((bob + 1))
  done
  log "shots: Ana $ana, Bob $bob, score $(state Ana pts)"
}
no_desync() {  # no_desync: Ana's "/vsync" finds Bob's table as hers
  local before
  before=$(grep -c 'No desync at ID 2' "$work/Ana.out")
  tell Ana "chat /vsync"
  wait_for 10 said_times Ana "CHAT No desync at ID 2" $((before + 1)) ||
    { grep CHAT "$work/Ana.out" | tail -5; fail "\"/vsync\" did not say \"No desync\""; }
}

start_prosody
log "the lobby is up at $domain (198.51.100.20), relay port 5000"

# ---- 1. joined through the relay ------------------------------------------------------------

start_peer Ana "$ns_homea"
start_peer Bob "$ns_homeb"
tell Ana "host 2500"
wait_for 10 said Ana "HOSTING 2500" || fail "Ana could not host"
wait_for 10 said Bob "LISTED Ana" || fail "Bob does not see Ana's game listed"
reset_relay_bytes
streams_before=$(relayed_streams)
bob_from=$(lines_of Bob)
joined_at=$(now_ms)
tell Bob "lobbyjoin Ana"
wait_for 20 said Bob "RELAYED Ana" ||
  { cat "$work/Bob.out" "$work/Bob.err"; fail "no relayed line came to Bob"; }
wait_for 10 said Ana "CHAT Bob has entered in the chat!" || fail "Bob did not get to Ana's game"
wait_for 10 said Bob "SLOT 1 1 Ana" || fail "Bob was not shown Ana's game"
grep -q "did not answer at its address; asking for a relayed line" "$work/Bob.err" ||
  fail "Bob did not try Ana's address first"
[ "$(state Bob relayed)" = 1 ] || fail "Bob's line to Ana is not the relayed one"
said Ana "RELAYED Bob" || fail "Ana did not take Bob's relayed line"
said Bob "CHAT Connected to Ana via the lobby's relay." || fail "Bob's chat does not say the line is relayed"
said Ana "CHAT Bob came via the lobby's relay (players relayed: 1)." ||
  fail "Ana's chat does not say Bob came through the relay"
[ "$(relayed_streams)" -gt "$streams_before" ] || { cat "$prosody_log"; fail "the relay's log shows no stream"; }
log "the relay's log: $(grep 'Relayed stream .* opened' "$prosody_log" | tail -1 | sed 's/^.*Relayed/Relayed/')"
line_at=$(stamp_of Bob "$bob_from" "RELAYED Ana")
frame_at=$(stamp_of Bob "$bob_from" "SLOT 1 1 Ana")
log "from \"Join\" to the relayed line: $((line_at - joined_at)) ms (the direct try gives up after 2500 ms)"
log "from \"Join\" to the game's first frame through the relay: $((frame_at - joined_at)) ms"

tell Ana start
wait_for 15 eval '[ "$(state Bob match)" = 1 ]' || fail "the match did not start on Bob's machine"
play_shots 2
no_desync
log "after two shots each over the relay: $(grep 'CHAT No desync' "$work/Ana.out" | tail -1 | sed 's/^CHAT //')"
read -r bytes_in bytes_out <<< "$(relay_bytes)"
log "the relay carried $bytes_in bytes in and $bytes_out bytes out (IP packets on port 5000) for the join and $shots_fired shots"

# ---- 2. the relay cut mid-match --------------------------------------------------------------

ana_from=$(lines_of Ana)
bob_from=$(lines_of Bob)
streams_before=$(relayed_streams)
stop_prosody
cut_at=$(now_ms)
wait_for 10 said_times Ana "lost the connection. Waiting up to" 1 ||
  { tail -5 "$work/Ana.out"; fail "Ana did not hold Bob's seat when the relay went"; }
log "the relay is cut: $(grep 'lost the connection' "$work/Ana.out" | tail -1 | sed 's/^CHAT //')"
start_prosody
log "the lobby is back $(( $(now_ms) - cut_at )) ms after the cut"
wait_for 40 said_times Bob "CHAT Reconnected. The game goes on." 1 ||
  { tail -20 "$work/Bob.out"; tail -20 "$work/Bob.err"; fail "Bob did not come back over the relay"; }
back_at=$(stamp_of Bob "$bob_from" "CHAT Reconnected")
log "Bob came back $((back_at - cut_at)) ms after the cut, over a new relayed line"
[ "$(state Bob relayed)" = 1 ] || fail "Bob came back other than through the relay"
[ "$(relayed_streams)" -gt "$streams_before" ] || fail "the relay's log shows no new stream for the way back"
# The broken line is gone from the host's count: still one relayed player.
said_times Ana "CHAT Bob came via the lobby's relay (players relayed: 1)." 2 ||
  fail "Ana's chat does not count Bob's new relayed line alone ($(grep "lobby's relay" "$work/Ana.out" | tail -1))"
[ "$(state Ana slot)" = 0 ] && [ "$(state Bob slot)" = 2 ] || fail "Bob is not in his own seat again"
wait_for 30 settled || fail "the tables do not agree after the way back"
play_shots 3
no_desync
log "the match goes on after the way back: $(grep 'CHAT No desync' "$work/Ana.out" | tail -1 | sed 's/^CHAT //')"
read -r bytes_in bytes_out <<< "$(relay_bytes)"
log "the relayed match so far (join, $shots_fired shots, one way back) moved $bytes_in bytes in and $bytes_out bytes out through the relay: $(( (bytes_in + bytes_out) / shots_fired )) bytes a shot"
end_peer Bob
end_peer Ana

# ---- 3. a forwarded port: the line is direct --------------------------------------------------

# The relayed match's own lines stay for a look when the work is kept.
mkdir "$work/relayed" && mv "$work"/Ana.* "$work"/Bob.* "$work/relayed/"
ip netns exec "$ns_routera" nft add rule inet router prerouting iifname r1 tcp dport 2500 dnat ip to 192.0.2.10:2500 ||
  fail "the forwarding rule"
start_peer Ana "$ns_homea" --public-address 198.51.100.1
start_peer Bob "$ns_net"
tell Ana "host 2500"
wait_for 10 said Bob "LISTED Ana" || fail "Bob in the internet does not see Ana's game"
reset_relay_bytes
streams_before=$(relayed_streams)
joined_at=$(now_ms)
tell Bob "lobbyjoin Ana"
wait_for 10 said Bob "SLOT 1 1 Ana" || { cat "$work/Bob.out" "$work/Bob.err"; fail "Bob did not join through the forwarded port"; }
log "from \"Join\" to the game's first frame, directly: $(( $(stamp_of Bob 0 "SLOT 1 1 Ana") - joined_at )) ms"
[ "$(state Bob relayed)" = 0 ] || fail "Bob's line went through the relay although the port was forwarded"
said Bob "RELAYED" && fail "a relayed line was made although the port was forwarded"
[ "$(relayed_streams)" = "$streams_before" ] || fail "the relay's log shows a stream for a direct join"
read -r bytes_in bytes_out <<< "$(relay_bytes)"
[ "$bytes_in$bytes_out" = 00 ] || fail "the relay carried $bytes_in/$bytes_out bytes for a direct join"
log "forwarded port: Bob in the internet joined Ana at 198.51.100.1:2500 directly; the relay saw nothing"
end_peer Bob
end_peer Ana
stop_prosody
log "passed"
