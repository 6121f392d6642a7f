// Every text the front end shows a player, in Portuguese, English and
// Spanish. uiLanguage: 1 Portuguese, 2 English, 3 Spanish.
#pragma once

#include <QString>

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
};

QString Tr(UiText text, int uiLanguage);
