-- Limits on the lobby's relay (Prosody's proxy65), which carries a match
-- between two players who cannot reach each other directly: how many
-- relayed lines one player may hold open at once, and how fast each may
-- carry. A match needs little of either; a guest who wants more is using
-- the lobby as a free tunnel.
local st = require "util.stanza";
local sha1 = require "util.hashes".sha1;
local jid_prep, jid_bare = require "util.jid".prep, require "util.jid".bare;
local time_now = require "util.time".now;

-- The proxy's own table of streams by their hash, shared by the module.
local transfers = module:shared("/*/proxy65/transfers");
local max_streams = module:get_option_number("ringdisk_relay_streams_per_user", 2);
local bytes_per_second = module:get_option_number("ringdisk_relay_bytes_per_second", 32768);

-- Carries what one end reads to the other no faster than the limit on
-- average: a second's worth may pass at once (a match's messages never
-- wait), beyond that the reading end rests until the allowance has grown
-- back. It also waits until the other end has written each piece. This
-- replaces the proxy's own joining of the two ends, which resumes reading
-- as soon as the other end has written and so undoes any read limit.
local function paced_link(from, to)
	local allowance, since = bytes_per_second, time_now();
	local written, rested = true, true;
	local function go_on()
		if not (written and rested and from.conn) then return; end
		from:resume();
		-- What the socket library read ahead raises no new event.
		if from.conn:dirty() then from:onreadable(); end
	end
	function from:onincoming(data)
		local now = time_now();
		allowance = math.min(bytes_per_second, allowance + (now - since) * bytes_per_second) - #data;
		since = now;
		self:pause();
		written = false;
		if allowance < 0 then
			rested = false;
			module:add_timer(-allowance / bytes_per_second, function ()
				rested = true;
				go_on();
			end);
		end
		to:write(data);
	end
	function to:ondrain() -- luacheck: ignore 212/self
		written = true;
		go_on();
	end
	-- A wake-up that the network layer swallows would hold the stream for
	-- good; a look every quarter second moves it on whatever happened.
	module:add_timer(0.25, function ()
		if not from.conn then return; end
		local buffer = to.writebuffer;
		if buffer == nil or buffer == "" or (type(buffer) == "table" and buffer[1] == nil) then
			written = true;
		end
		go_on();
		return 0.25;
	end);
end

-- The hashes of the streams each player opened, by bare address; a stream
-- the proxy no longer holds is over.
local opened = {};

local function live_streams(user)
	local live = {};
	for _, sha in ipairs(opened[user] or {}) do
		if transfers[sha] then live[#live + 1] = sha; end
	end
	opened[user] = #live > 0 and live or nil;
	return live;
end

-- Runs before the proxy joins the two ends (priority above its own).
module:hook("iq-set/host/http://jabber.org/protocol/bytestreams:query", function (event)
	local stanza = event.stanza;
	local query = stanza.tags[1];
	local sid, from = query.attr.sid, stanza.attr.from;
	local target = jid_prep(query:get_child_text("activate"));
	if not sid or not target then return; end -- the proxy refuses it itself
	local sha = sha1(sid .. from .. target, true);
	local transfer = transfers[sha];
	if not transfer or not transfer.initiator or not transfer.target then return; end
	local user = jid_bare(from);
	local live = live_streams(user);
	if #live >= max_streams then
		module:log("warn", "Refusing a relayed stream to %s: already %d open", from, #live);
		event.origin.send(st.error_reply(stanza, "wait", "resource-constraint",
			"Too many relayed streams at once"));
		return true;
	end
	live[#live + 1] = sha;
	opened[user] = live;
	-- The proxy joins the two ends as it answers; they are paced right after.
	module:add_timer(0, function ()
		if transfers[sha] ~= transfer then return; end
		paced_link(transfer.initiator, transfer.target);
		paced_link(transfer.target, transfer.initiator);
	end);
	module:log("info", "Relayed stream %s of %s opened (%d of %d)", sha, from, #live, max_streams);
end, 10);

-- Forgets players whose streams are all over.
module:add_timer(60, function ()
	for user in pairs(opened) do live_streams(user); end
	return 60;
end);
