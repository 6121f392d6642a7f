// Every text the front end shows a player, in Portuguese, English and
// Spanish. uiLanguage: 1 Portuguese, 2 English, 3 Spanish.
#pragma once

#include <QString>

#include "base/translations.h"

enum class UiText {
    JoinAnnouncement,
    LeaveAnnouncement,
    KickAnnouncement,
    DropAnnouncement,
    PlayerWord,
    BadAddress,
    BadPort,
    ConnectionFailed,
    ConnectionLost,
    ConfirmCaption,
    ConfirmLeaveGame,
    ConfirmLeavePractice,
    Kicked,
    NameTaken,
    ServerFull,
    BadPassword,
    HostFailed,
    HostNotFound,
    LookupTimedOut,
    // %1 the player's name, %2 seconds.
    WaitingForPlayer,
    StillWaitingForPlayer,
    // %1 the player's name.
    PlayerBack,
    // %1 seconds.
    Reconnecting,
    StillReconnecting,
    Reconnected,
    ReplayAsRecorded,
    ReplayElsewhere,
    ReplayPracticeNotPlayed,
    ReplayNotAReplay,
    ReplayNewerFormat,  // %1: the file's format, %2: the newest this program reads
    ReplayCutShort,
    ReplayDamaged,
    ReplayInvalid,
    // %1 the router's external address, %2 the port, %3 "UPnP" or "NAT-PMP".
    PortForwarded,
    // %1 the port, %2 the router's external address.
    PortForwardedBehindAnotherNetwork,
    // %1 the port, %2 this machine's address.
    PortNotForwarded,
    LookingForRouter,
    NoRouterAnswered,
    // %1 this machine's address.
    LocalNetworkAddress,
    // %1 the host's name.
    JoinedOverRelay,
    // %1 the player's lobby name, %2 how many players are relayed now.
    PlayerCameOverRelay,
    // %1 the host's name, %2 the port the host's router must forward.
    NoRelayToJoin,
    // Beside the name of a player whose line goes through the relay.
    ViaRelayMark,
};

QString Tr(UiText text, int uiLanguage);

// The text for uiLanguage; English for any other number.
QString InLanguage(const Translations& text, int uiLanguage);
