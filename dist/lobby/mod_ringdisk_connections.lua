-- At most so many signed-in connections from one address: a lobby is open
-- to anyone without an account, and one machine must not fill it.
local limit = module:get_option_number("ringdisk_connections_per_address", 8);

module:hook("resource-bind", function (event)
	local session = event.session;
	local ip = session.ip;
	if not ip then return; end
	local count = 0;
	for _, other in pairs(prosody.full_sessions) do
		if other.ip == ip then count = count + 1; end
	end
	if count > limit then
		module:log("warn", "Refusing %s: more than %d connections from %s", session.full_jid or "?", limit, ip);
		session:close({ condition = "policy-violation"; text = "Too many connections from your address" });
	end
end);
