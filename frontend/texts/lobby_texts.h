// What the online lobby's window says, in the three languages: its list's
// columns and states, its buttons, the questions it asks when signing in,
// and why a sign-in, a join or a chat line did not go through.
#pragma once

#include <QString>

enum class LobbyText {
    WindowTitle,
    HostColumn,
    PlayersColumn,  // "1 / 2"
    WatchingColumn,
    PasswordColumn,
    StateColumn,
    VersionColumn,
    Waiting,
    InMatch,
    HasPassword,   // the password column of a game that has one
    OtherVersion,  // %1 the game's version, %2 ours
    JoinButton,
    SignInButton,
    ChatLabel,
    SigningIn,  // %1 the server
    SignedIn,   // %1 the server, %2 our nickname
    SignedOut,
    // Asked at the first use, and again from the sign-in button.
    ServerQuestion,
    ServerHelp,        // points to the README's "Running a lobby"
    BadServerAddress,  // %1 what was typed
    NicknameTaken,     // %1 the nickname
    UnusableNickname,  // %1 the nickname
    NicknameQuestion,
    PasswordQuestion,  // %1 the host
    // Why the lobby is gone or never came.
    Unreachable,
    NoAnswer,
    Insecure,
    SignInRefused,
    RoomRefused,
    ConnectionLost,
    // Why a join from the lobby did not start; %1 the host.
    JoinNotListed,
    JoinOtherVersion,
    JoinNoAnswer,
    JoinNotSignedIn,
    JoinBusy,
    JoinNoRelay,
    JoinRelayFailed,
    // Why an own chat line was not sent.
    ChatEmpty,
    ChatTooLong,  // %1 the limit
    ChatControlCharacters,
    ChatTooFast,
    ChatNotSignedIn,
    QuickMatchRefused,
    FriendsOnly,  // the create dialog's box
};

QString LobbyTr(LobbyText text, int uiLanguage);
