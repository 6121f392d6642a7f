// The lobby's own vocabulary on the XMPP wire, said once: the namespace of
// every element of ours and the names of those elements. Everything else the
// lobby sends is plain XMPP (a multi-user chat room, its presences, its
// private and group messages).
//
//   presence  <game xmlns=NS host=.. seats=.. of=.. watchers=.. password=0|1
//                   state=waiting|match version=.. opened=SECONDS/>
//   message   <join xmlns=NS/>                      player -> host's occupant
//   message   <address xmlns=NS host=.. port=../>    host -> that player alone
//
// A game's presence never holds the host's address: only the private answer
// to a player who asked to join does.
#pragma once

namespace lobby {

inline constexpr char kNamespace[] = "urn:x-ringdisk:lobby:1";
inline constexpr char kGameElement[] = "game";
inline constexpr char kJoinElement[] = "join";
inline constexpr char kAddressElement[] = "address";

}  // namespace lobby
