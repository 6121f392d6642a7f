-- A Ringdisk lobby on Prosody 0.12 (Debian's "prosody" package).
--
-- Players sign in anonymously (no account, SASL ANONYMOUS) to the domain
-- below and meet in one room, "lobby@rooms.<domain>": hosts list their games
-- in their presence there, everybody chats, and a player asks a host for its
-- address privately. A player whose game cannot be reached directly (a
-- router without port forwarding, a carrier's shared address) is joined
-- through the server's relay, "relay.<domain>". The README's section "Running a lobby" installs this
-- file with the domain set; dist/lobby/setup-lobby.sh does it.
--
-- Every value that differs between machines is read from the environment
-- first (ENV_...), so the game's tests run this very file on loopback with
-- their own ports and folders; a server leaves them unset.

local domain = ENV_RINGDISK_LOBBY_DOMAIN or "lobby.example.org"
local rooms = "rooms." .. domain

-- The lobby's own plugins (the room, its chat's pace, connections per
-- address) live beside this file.
plugin_paths = { ENV_RINGDISK_LOBBY_PLUGINS or "/etc/prosody/ringdisk" }
data_path = ENV_RINGDISK_LOBBY_DATA or "/var/lib/prosody"
pidfile = ENV_RINGDISK_LOBBY_PIDFILE or "/run/prosody/prosody.pid"
log = { info = ENV_RINGDISK_LOBBY_LOG or "/var/log/prosody/prosody.log" }
-- A test run as root (a container, CI) may not drop to the prosody user.
run_as_root = ENV_RINGDISK_LOBBY_RUN_AS_ROOT == "1"

c2s_ports = { tonumber(ENV_RINGDISK_LOBBY_PORT or "5222") }
c2s_interfaces = { ENV_RINGDISK_LOBBY_INTERFACE or "*" }
-- The relay's SOCKS5 port: players connect to it directly, so it must be
-- reachable from outside as 5222 is.
proxy65_ports = { tonumber(ENV_RINGDISK_LOBBY_RELAY_PORT or "5000") }
proxy65_interfaces = { ENV_RINGDISK_LOBBY_INTERFACE or "*" }
-- Players only: no federation, no components from outside, no web.
s2s_ports = {}
component_ports = {}
modules_disabled = { "s2s"; "offline" }

modules_enabled = {
	"saslauth";  -- the anonymous sign-in
	"tls";       -- every connection is encrypted
	"disco";
	"ping";
	"limits";    -- bandwidth per connection, below
	"ringdisk_connections";  -- connections per address, below
}

-- Certificates named after the domain: <dir>/<domain>.crt and .key, or
-- <dir>/<domain>/fullchain.pem and privkey.pem (as certbot leaves them).
certificates = ENV_RINGDISK_LOBBY_CERTS or "certs"
c2s_require_encryption = true
allow_registration = false
storage = "internal"
-- Every change to a listed game is copied to everyone in the room: with a
-- full room, Lua 5.4's generational collector spends a third to a half
-- less processor time per change than the default (incremental) one. A
-- Prosody on an older Lua logs that it cannot and keeps its default.
gc = { mode = "generational" }

-- A game's presence and a chat line are a few hundred bytes: nothing a
-- player sends needs more.
c2s_stanza_size_limit = 10000
c2s_unauthed_stanza_size_limit = 4096
limits = {
	c2s = { rate = "2kb/s"; burst = "4s" };
}
ringdisk_connections_per_address = tonumber(ENV_RINGDISK_LOBBY_CONNECTIONS_PER_ADDRESS or "8")

VirtualHost (domain)
	authentication = "anonymous"
	-- Anonymous players talk to this server's rooms only.
	disallow_s2s = true

Component (rooms) "muc"
	name = "Ringdisk lobby"
	modules_enabled = { "ringdisk_room" }
	-- The lobby room is made by the server; players cannot make others.
	restrict_room_creation = true
	ringdisk_room_name = "lobby"
	ringdisk_chat_lines = 5
	ringdisk_chat_seconds = 10
	muc_room_default_history_length = 20
	muc_tombstones = false

-- Prosody's SOCKS5 bytestream proxy: two players who cannot reach each
-- other both connect to it and it joins their lines. Only players signed
-- in here may use it, each with a few streams at a pace a match needs. A
-- lobby that cannot spare the bandwidth leaves it out (RELAY=off); players
-- who cannot be reached directly are then told which port to forward.
if ENV_RINGDISK_LOBBY_RELAY ~= "off" then
Component ("relay." .. domain) "proxy65"
	name = "Ringdisk relay"
	-- The name players connect to: this machine, as the domain names it.
	proxy65_address = ENV_RINGDISK_LOBBY_RELAY_ADDRESS or domain
	modules_enabled = { "ringdisk_relay" }
	ringdisk_relay_streams_per_user = tonumber(ENV_RINGDISK_LOBBY_RELAY_STREAMS or "2")
	ringdisk_relay_bytes_per_second = tonumber(ENV_RINGDISK_LOBBY_RELAY_BYTES_PER_SECOND or "32768")
end
