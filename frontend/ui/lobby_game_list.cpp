#include "frontend/ui/lobby_game_list.h"

#include <QHeaderView>
#include <algorithm>

QTableView* MakeGameList(LobbyGameTable& games, QWidget* parent) {
    auto* list = new QTableView(parent);
    list->setModel(&games);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setShowGrid(false);
    list->setAlternatingRowColors(true);
    list->setWordWrap(false);
    list->verticalHeader()->hide();
    list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    QHeaderView* header = list->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Fixed);
    // A bold header over the chosen row reads as a second selection.
    header->setHighlightSections(false);
    header->setSectionResizeMode(LobbyGameTable::Host, QHeaderView::Stretch);
    const QFontMetrics metrics(list->font());
    const int padding = 3 * metrics.averageCharWidth();
    for (int column = LobbyGameTable::Players; column < LobbyGameTable::kColumnCount; ++column) {
        const QString title = games.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        header->resizeSection(column,
                              std::max(metrics.horizontalAdvance(title),
                                       metrics.horizontalAdvance(games.WidestCell(column))) +
                                  padding);
    }
    return list;
}
