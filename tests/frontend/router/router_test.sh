#!/usr/bin/env bash
# A hosted game's port forwarding against a real router. Three network
# namespaces of the test's own, with documentation addresses only and no
# route out of them:
#   home      192.0.2.10       the host, behind the router's NAT
#   router    192.0.2.1 (LAN), 198.51.100.1 (WAN): nftables NAT and miniupnpd
#   internet  198.51.100.20    the friend, and a STUN responder
# With UPnP, and then with NAT-PMP alone: the host's port gets forwarded,
# the friend joins through the router's external address, the forwarding is
# gone when the host leaves and when it is ended by SIGTERM; a short lease
# is renewed before it runs out. Needs root for the namespaces; without them
# the test says so and is skipped. Given the window program and the game's
# package, and with a virtual display at hand, the window hosts through the
# router too: "Criar" shows the router's external address in the create
# dialog, the port is forwarded, and SIGTERM removes it.
#
# router_test.sh HEADLESS_PEER STUN_RESPONDER [RINGDISK PACKAGE]
set -u
peer=$(realpath "$1")
stun=$(realpath "$2")
ringdisk=${3:+$(realpath "$3")}
package=${4:+$(realpath "$4")}
here=$(dirname "$(realpath "$0")")

source "$here/namespace_steps.sh"
log() { echo "router-test: $*"; }

[ "$(id -u)" -eq 0 ] || skip "making network namespaces needs root"
for tool in ip nft miniupnpd python3; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/install-deps.sh)"
done

# Names of this run's own; namespaces left by a run that was killed (its
# process gone) are removed first, with what still runs in them.
remove_stale_namespaces rd
tag="rd$$-$RANDOM"
home="$tag-home" router="$tag-router" internet="$tag-net"
work=$(mktemp -d)
pids=()

cleanup() {
  for p in "${pids[@]}"; do kill -KILL "$p" 2>/dev/null; done
  wait 2>/dev/null
  for n in "$home" "$router" "$internet"; do ip netns del "$n" 2>/dev/null; done
  [ -n "${KEEP_WORK:-}" ] && echo "kept $work" || rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

ip netns add "$home" 2>/dev/null || skip "ip netns add failed: no network namespaces here"
ip netns add "$router" && ip netns add "$internet" || fail "could not make the namespaces"
for n in "$home" "$router" "$internet"; do ip -n "$n" link set lo up; done
ip link add h0 netns "$home" type veth peer name r0 netns "$router" || fail "veth home"
ip link add i0 netns "$internet" type veth peer name r1 netns "$router" || fail "veth internet"
ip -n "$home" addr add 192.0.2.10/24 dev h0
ip -n "$router" addr add 192.0.2.1/24 dev r0
ip -n "$router" addr add 198.51.100.1/24 dev r1
ip -n "$internet" addr add 198.51.100.20/24 dev i0
for pair in "$home h0" "$router r0" "$router r1" "$internet i0"; do
  set -- $pair
  ip -n "$1" link set "$2" up
done
# The home's only way anywhere is the router; the internet knows no way
# into the home, and nothing has a way out of the namespaces.
ip -n "$home" route add default via 192.0.2.1
ip netns exec "$router" sysctl -qw net.ipv4.ip_forward=1

# The router's NAT, and the chains miniupnpd fills with its forwardings.
ip netns exec "$router" nft -f - <<'NFT' || fail "nftables rules"
table inet filter {
  chain forward {
    type filter hook forward priority 0; policy drop;
    ct state established,related accept
    iifname "r0" oifname "r1" accept
    jump miniupnpd
  }
  chain miniupnpd {
  }
  chain prerouting {
    type nat hook prerouting priority -100; policy accept;
    jump prerouting_miniupnpd
  }
  chain postrouting {
    type nat hook postrouting priority 100; policy accept;
    jump postrouting_miniupnpd
    oifname "r1" masquerade
  }
  chain prerouting_miniupnpd {
  }
  chain postrouting_miniupnpd {
  }
}
NFT

ip netns exec "$internet" python3 "$stun" 198.51.100.20 300 > "$work/stun.out" 2>&1 &
pids+=($!)
for _ in $(seq 50); do grep -q "STUN ready" "$work/stun.out" && break; sleep 0.1; done

# ---- helpers --------------------------------------------------------------------

router_pid=
start_router() {  # start_router UPNP(yes|no)
  cat > "$work/miniupnpd.conf" <<CONF
ext_ifname=r1
listening_ip=r0
http_port=0
enable_upnp=$1
enable_natpmp=yes
secure_mode=yes
system_uptime=no
clean_ruleset_interval=1
min_lifetime=2
ext_perform_stun=yes
ext_stun_host=198.51.100.20
ext_stun_port=3478
uuid=6a3c6a70-1d2f-4c55-9b4e-52696e676469
allow 1024-65535 192.0.2.0/24 1024-65535
deny 0-65535 0.0.0.0/0 0-65535
CONF
  : > "$work/miniupnpd.log"
  ip netns exec "$router" miniupnpd -d -f "$work/miniupnpd.conf" -P "$work/miniupnpd.pid" \
    > "$work/miniupnpd.log" 2>&1 &
  router_pid=$!
  pids+=($router_pid)
  for _ in $(seq 100); do
    grep -q "Listening for NAT-PMP" "$work/miniupnpd.log" && return 0
    sleep 0.1
  done
  cat "$work/miniupnpd.log"
  fail "miniupnpd did not start"
}

stop_router() {
  kill -TERM "$router_pid" 2>/dev/null
  wait "$router_pid" 2>/dev/null
  ip netns exec "$router" nft flush chain inet filter miniupnpd
  ip netns exec "$router" nft flush chain inet filter prerouting_miniupnpd
}

forwarded() {  # forwarded PORT: the router sends that port to the home
  ip netns exec "$router" nft list chain inet filter prerouting_miniupnpd 2>/dev/null |
    grep -q "dport $1 dnat ip to 192.0.2.10:$1"
}



# start_peer NAME NAMESPACE ARGS...: a headless peer fed through a pipe.
start_peer() {
  local name=$1 ns=$2
  shift 2
  mkfifo "$work/$name.in"
  mkdir -p "$work/$name"
  (cd "$work/$name" && exec ip netns exec "$ns" "$peer" --name "$name" --lifetime 120 "$@" \
     < "$work/$name.in" > "$work/$name.out" 2> "$work/$name.err") &
  eval "peer_$name=$!"
  pids+=($!)
  eval "exec {fd_$name}>\"$work/$name.in\""
  wait_for 10 said "$name" READY || fail "$name did not start"
}
end_peer() {  # end_peer NAME: after it ended by itself
  local p="peer_$1" fd="fd_$1"
  wait "${!p}"
  local status=$?
  eval "exec {$fd}>&-"
  rm -f "$work/$1.in"
  return $status
}


# ---- one router, one protocol -------------------------------------------------------

play() {  # play UPNP(yes|no) PROTOCOL-NAME
  local upnp=$1 method=$2
  log "== $method: miniupnpd with UPnP $upnp, NAT-PMP yes"
  start_router "$upnp"

  start_peer Ana "$home" --map-port
  local started=$(now_ms)
  tell Ana "host 2500"
  wait_for 10 forwarded 2500 || { cat "$work/Ana.err" "$work/miniupnpd.log"; fail "$method: port 2500 was not forwarded"; }
  local mapped=$(now_ms)
  wait_for 5 said Ana "Friends on the internet can join at 198.51.100.1:2500 (port opened on the router by $method)" ||
    { cat "$work/Ana.out"; fail "$method: the chat did not tell where friends join"; }
  log "$method: mapping made: $(ip netns exec "$router" nft list chain inet filter prerouting_miniupnpd | grep dnat | sed 's/^[[:space:]]*//')"
  log "$method: from \"host 2500\" to the forwarded port: $((mapped - started)) ms"
  log "$method: the host's own account: $(grep -o 'forwarded [0-9]* ms after hosting began' "$work/Ana.err")"
  log "$method: the host's chat: $(grep 'CHAT Friends' "$work/Ana.out" | sed 's/^CHAT //')"

  start_peer Bob "$internet"
  tell Bob "join 198.51.100.1 2500"
  wait_for 10 said Ana "CHAT Bob has entered in the chat!" || { cat "$work/Bob.out"; fail "$method: the friend did not get in through the router"; }
  wait_for 5 said Bob "SLOT 1 1 Ana" || fail "$method: the friend was not told who hosts"
  log "$method: friend joined: Bob in the internet reached Ana through 198.51.100.1:2500"

  tell Ana "leave"
  wait_for 10 said Bob "CHATCLEAR" || fail "$method: the friend was not told the game ended"
  wait_for 10 eval '! forwarded 2500' || fail "$method: the forwarding outlived the game after a leave"
  log "$method: mapping removed after the host left"
  tell Bob "quit"
  end_peer Bob

  # Hosting again, this time for a short lease, and ended by SIGTERM.
  tell Ana "quit"
  end_peer Ana
  rm -rf "$work/Ana" "$work/Bob"
  start_peer Ana "$home" --map-port 4
  tell Ana "host 2500"
  wait_for 10 forwarded 2500 || fail "$method: port 2500 was not forwarded the second time"
  # The router forgets a lease of 4 s after 4 s; renewed at half of it, the
  # forwarding holds through three leases.
  for _ in $(seq 12); do
    sleep 1
    forwarded 2500 || { cat "$work/miniupnpd.log"; fail "$method: the lease ran out without renewal"; }
  done
  log "$method: a 4 s lease held for 12 s (renewed)"
  local p="peer_Ana"
  kill -TERM "${!p}"
  end_peer Ana || fail "$method: the host did not end cleanly on SIGTERM"
  said Ana STOPPED || fail "$method: the host did not take SIGTERM as a stop"
  forwarded 2500 && fail "$method: the forwarding outlived the host ended by SIGTERM"
  log "$method: mapping removed after SIGTERM"
  rm -rf "$work/Ana"
  stop_router
}

# ---- the window -----------------------------------------------------------------------

play_window() {
  log "== the window: \"Criar\" through miniupnpd with UPnP"
  start_router yes
  mkdir "$work/window"
  ln -s "$package" "$work/window/dados.vpf"
  printf '[main]\r\nNick=Ana\r\n' > "$work/window/ringdisk.ini"
  # Three seconds in the dialog: the router's search takes one and a half.
  (cd "$work/window" &&
     exec ip netns exec "$home" env LANG=C.UTF-8 LIBGL_ALWAYS_SOFTWARE=1 \
       xvfb-run -a -s "-screen 0 1024x768x24" "$here/window_host.sh" "$ringdisk" 3 "$work/stop") \
    > "$work/window.out" 2>&1 &
  local host=$!
  pids+=($host)
  wait_for 60 said window CRIAR || { cat "$work/window.out"; fail "the window's create dialog was not confirmed"; }
  wait_for 10 forwarded 2500 || { cat "$work/window.out" "$work/window/window.err"; fail "window: port 2500 was not forwarded"; }
  local mapped=$(now_ms) criar=$(sed -n 's/^CRIAR //p' "$work/window.out")
  log "window: mapping made: $(ip netns exec "$router" nft list chain inet filter prerouting_miniupnpd | grep dnat | sed 's/^[[:space:]]*//')"
  log "window: from \"Criar!\" to the forwarded port: $((mapped - criar)) ms (the router found while the dialog showed)"
  log "window: its own account: $(grep -o 'forwarded [0-9]* ms after hosting began' "$work/window/window.err")"
  touch "$work/stop"
  wait "$host"
  said window "EXIT 0" || { cat "$work/window.out"; fail "window: no clean exit on SIGTERM"; }
  forwarded 2500 && fail "window: the forwarding outlived the program ended by SIGTERM"
  log "window: mapping removed after SIGTERM"
  grep -q $'^SeuIP=198.51.100.1\r$' "$work/window/ringdisk.ini" ||
    fail "window: the create dialog did not show the router's external address ($(grep SeuIP "$work/window/ringdisk.ini"))"
  log "window: the create dialog showed SeuIP=198.51.100.1"
  stop_router
}

play yes UPnP
play no NAT-PMP
if [ -z "$ringdisk" ]; then
  log "the window's part needs the program and the package"
elif ! command -v xvfb-run >/dev/null || ! command -v xdotool >/dev/null; then
  log "the window's part is left out: no xvfb-run or xdotool"
else
  play_window
fi
log "passed"
