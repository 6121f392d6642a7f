#!/bin/sh
# Turns this Debian machine (prosody and certbot installed) into a Ringdisk
# lobby for DOMAIN: the shipped configuration and its plugins in place with
# the domain set, a certificate that players' programs trust for the domain
# and its rooms, and Prosody restarted. The domain and "rooms.DOMAIN" must
# name this machine, and ports 80 (for the certificate, once) and 5222 must
# reach it.
#   sudo dist/lobby/setup-lobby.sh lobby.example.org
set -eu
domain=${1:-}
case "$domain" in
  '' | *[!a-z0-9.-]* | -* | *..*)
    echo "usage: setup-lobby.sh DOMAIN (lower-case letters, digits, dots and dashes)" >&2
    exit 2 ;;
esac
here=$(dirname "$0")

install -d /etc/prosody/ringdisk
install -m 644 "$here/mod_ringdisk_room.lua" "$here/mod_ringdisk_connections.lua" \
  "$here/mod_ringdisk_relay.lua" /etc/prosody/ringdisk/
if [ -f /etc/prosody/prosody.cfg.lua ] && [ ! -f /etc/prosody/prosody.cfg.lua.before-ringdisk ]; then
  cp /etc/prosody/prosody.cfg.lua /etc/prosody/prosody.cfg.lua.before-ringdisk
fi
sed "s/\"lobby\.example\.org\"/\"$domain\"/" "$here/prosody.cfg.lua" > /etc/prosody/prosody.cfg.lua

certbot certonly --standalone --non-interactive --agree-tos --register-unsafely-without-email \
  --keep-until-expiring -d "$domain" -d "rooms.$domain"
prosodyctl --root cert import /etc/letsencrypt/live
prosodyctl check config
systemctl restart prosody
echo "The Ringdisk lobby runs at $domain (room lobby@rooms.$domain)."
