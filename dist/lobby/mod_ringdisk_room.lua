-- The Ringdisk lobby's room: made when the server starts, open to everyone,
-- kept across restarts, and with a limit on how fast one occupant may talk
-- (the game's clients keep the same limit; this holds for any other client).
local st = require "util.stanza";
local time_now = require "util.time".now;

local mod_muc = module:depends("muc");
local room_jid = module:get_option_string("ringdisk_room_name", "lobby") .. "@" .. module.host;
local max_lines = module:get_option_number("ringdisk_chat_lines", 5);
local window = module:get_option_number("ringdisk_chat_seconds", 10);

local function open_room()
	local room = mod_muc.get_room_from_jid(room_jid) or mod_muc.create_room(room_jid);
	room:set_public(true);
	room:set_persistent(true);
	room:set_members_only(false);
	room:set_changesubject(false);
	-- Occupants never see each other's real addresses.
	room:set_whois("moderators");
	room:save(true);
	module:log("info", "Ringdisk lobby room %s is open", room_jid);
end

if prosody.start_time then
	open_room();
else
	module:hook_global("server-started", open_room);
end

-- Times of each occupant's recent lines, by real address.
local recent = {};

module:hook("muc-occupant-groupchat", function (event)
	local from, now = event.from, time_now();
	local times = recent[from] or {};
	local kept = {};
	for _, t in ipairs(times) do
		if now - t < window then kept[#kept + 1] = t; end
	end
	if #kept >= max_lines then
		recent[from] = kept;
		event.origin.send(st.error_reply(event.stanza, "wait", "policy-violation",
			"Too many lines; wait a moment"));
		return true;
	end
	kept[#kept + 1] = now;
	recent[from] = kept;
end, 10);

module:hook("muc-occupant-left", function (event)
	if event.occupant then
		for real_jid in event.occupant:each_session() do recent[real_jid] = nil; end
	end
end);
