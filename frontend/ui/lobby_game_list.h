// The view of the lobby's open games: whole rows chosen one at a time,
// nothing edited in place. Its columns are sized once, from their headers
// and the widest values they can hold, never from the rows: a full lobby's
// changes then redraw their own row and measure nothing else.
#pragma once

#include <QTableView>

#include "frontend/ui/lobby_game_table.h"

QTableView* MakeGameList(LobbyGameTable& games, QWidget* parent);
