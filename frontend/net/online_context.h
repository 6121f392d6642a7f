// What the host's and the client's half of an online game share: the
// window, the chat, the event queue, the table and the sockets, the
// player board and the match, who this machine is and where its session
// stands.
#pragma once

#include <QString>

#include "frontend/chat/chat_display.h"
#include "frontend/library/event_queue.h"
#include "frontend/library/game_library.h"
#include "frontend/net/match_state.h"
#include "frontend/net/network_link.h"
#include "frontend/net/player_board.h"
#include "frontend/net/session_events.h"
#include "frontend/texts/ui_texts.h"
#include "frontend/view/frontend_view.h"

// Where this machine stands. Connecting becomes Joined once the connection
// to the host is up, before the host has given it a slot.
enum class Session { Offline, Connecting, Hosting, Joined, Practice };

// How a batch of received messages went: one that could not be what its
// command promised calls for the repair of the tables.
enum class Handled { Ok, PacketError };

// A seed for a match, or the number of a guest's name: 0..998.
int RandomNumberBelow999();

struct OnlineContext {
    OnlineContext(FrontendView& view, ChatDisplay& chat, EventQueue& queue, TableScreen& screen,
                  TableDriver& table, NetworkLink& link)
        : view(view), chat(chat), queue(queue), screen(screen), table(table), link(link) {}

    QString Text(UiText text) const { return Tr(text, uiLanguage); }
    // An empty name would match the free slots and never get one of its own.
    void FillEmptyNickname();

    // Starts a match on this machine's table with an empty queue; ownSlot
    // decides its seat.
    void BeginMatch(int green, int red, int seed, int ownSlot);
    // The table at rest between games: nothing queued, no match and no
    // pause, silver boxes, the intro scene, no start button.
    void ReturnToIdleTable();
    // Back to offline: the connection panel shown, the chat empty, the idle
    // table, and the listener told why. The sockets are the caller's to
    // close first.
    void EndSession(SessionEnd reason);
    void Tell(const SessionEvent& event) const {
        if (listener) listener(event);
    }

    FrontendView& view;
    ChatDisplay& chat;
    EventQueue& queue;
    TableScreen& screen;
    TableDriver& table;  // read for the side to move; its seat held while a match waits
    NetworkLink& link;

    Session session = Session::Offline;
    int uiLanguage = 2;
    QString nickname = QStringLiteral("Guest");
    PlayerBoard board{view, chat, uiLanguage};
    MatchState match;
    SessionListener listener;
};
