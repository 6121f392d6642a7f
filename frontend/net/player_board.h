// The four player slots as the window shows them: a name, or the word for
// player and the slot number, in each row, the wins beside it, and the box
// colours of the match. Joins and leaves are announced in the chat with the
// name as it was given.
#pragma once

#include <QString>

#include "frontend/chat/chat_display.h"
#include "frontend/library/game_library.h"
#include "frontend/net/player_slots.h"
#include "frontend/texts/ui_texts.h"
#include "frontend/view/frontend_view.h"

enum class LeaveReason { Left, Kicked, Dropped };

class PlayerBoard {
public:
    // uiLanguage is read whenever a text is shown, so it follows the option.
    PlayerBoard(FrontendView& view, ChatDisplay& chat, const int& uiLanguage)
        : view_(view), chat_(chat), uiLanguage_(uiLanguage) {}

    const PlayerSlots& Slots() const { return slots_; }
    PlayerSlots& Slots() { return slots_; }

    // Seats a name in a slot (-1: the first free one) with its wins and
    // answers the slot, or -1 when a slot holds exactly this name or none is
    // free. A refused name is announced too when announce is set.
    int Seat(const QString& name, int slot, int wins, bool announce);
    // Empties a slot (0: none was found) and, either way, announces the
    // leave with the name as given.
    void Free(int slot, const QString& name, LeaveReason reason);
    void Reset();

    // A slot's row with another text in place of the name (a player who is
    // awaited); Refresh shows the slot as it stands again.
    void ShowAway(int slot, const QString& text);
    void Refresh(int slot) { Show(slot); }
    // The row of a player whose line goes through the lobby's relay says so.
    void MarkRelayed(int slot, bool relayed);

    void AddWin(int slot);
    void ShowMatch(int greenSlot, int redSlot);
    void ShowNoMatch();
    // The boxes of a match take the sides' colours of the disc look, at
    // once for a match shown now.
    void SetDiscColours(DiscColours look);

private:
    void Show(int slot);
    QString Announcement(const QString& name, UiText text) const;

    FrontendView& view_;
    ChatDisplay& chat_;
    const int& uiLanguage_;
    PlayerSlots slots_;
    DiscColours discColours_ = DiscColours::Classic;
    int greenSlot_ = 0, redSlot_ = 0;  // 0: no match shown
};
