// What the core asks of its window, the one list of it: for each call its
// result, its name and its parameters. FrontendView declares them from here
// and every view declares its own from here, so a call added here is one
// that every view must answer.
//
// Include it with FRONTEND_VIEW_CALL(result, name, parameters) defined.

FRONTEND_VIEW_CALL(void, AppendChatLine, (const ChatLine& line))
FRONTEND_VIEW_CALL(void, ClearChat, ())
// An informational message box, already in the user's language.
FRONTEND_VIEW_CALL(void, ShowMessage, (const QString& text))
// A yes/no question ("No" the default); true for yes.
FRONTEND_VIEW_CALL(bool, Confirm, (const QString& caption, const QString& question))
FRONTEND_VIEW_CALL(void, Beep, ())

// Player rows, slots 1..4.
FRONTEND_VIEW_CALL(void, SetSlotLabel, (int slot, const QString& text, bool enabled))
FRONTEND_VIEW_CALL(void, SetSlotBox, (int slot, uint32_t rgb))
FRONTEND_VIEW_CALL(void, SetWinLabel, (int slot, const QString& text))

FRONTEND_VIEW_CALL(void, SetStartEnabled, (bool enabled))
// The connection panel (nickname, join, create, practice) over the player
// list and chat.
FRONTEND_VIEW_CALL(void, SetConnectionPanelVisible, (bool visible))
// Practice hides the chat, the start button and the player rows.
FRONTEND_VIEW_CALL(void, SetPracticeLayout, (bool practice))
// A join attempt runs: joining, creating and practice must wait for it.
FRONTEND_VIEW_CALL(void, SetConnecting, (bool connecting))
// The nickname the core chose for a player who left the field empty.
FRONTEND_VIEW_CALL(void, ShowNickname, (const QString& name))
