// The lobby window's list of open games as a table model: one row a game,
// named by its host's room nickname (the name the room vouches for, not the
// one the payload claims), in the order of those names. A change touches
// only its own row, so a full lobby stays quick to follow. A game of another
// version of the program is shown, but greyed: it cannot be chosen, and its
// tooltip says why.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <optional>
#include <vector>

#include "frontend/lobby/game_listing.h"

class LobbyGameTable : public QAbstractTableModel {
public:
    enum Column { Host, Players, Watching, Password, State, Version, kColumnCount };

    LobbyGameTable(QString ownVersion, int uiLanguage, QObject* parent = nullptr);

    // Lists the host's game, or updates its row.
    void Show(const QString& host, const lobby::GameListing& listing);
    void Remove(const QString& host);
    void Clear();

    // The row's host and listing; nullopt past the end.
    struct Game {
        QString host;
        lobby::GameListing listing;
    };
    std::optional<Game> At(int row) const;
    // -1 when the host lists no game.
    int RowOf(const QString& host) const;
    bool Joinable(const lobby::GameListing& listing) const;
    // The widest text the column shows besides hosts' names, for its width.
    QString WidestCell(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    // Where the host's row is, or would go.
    std::vector<Game>::const_iterator Place(const QString& host) const;
    QString CellText(const Game& game, int column) const;

    QString ownVersion_;
    int uiLanguage_;
    std::vector<Game> games_;  // by host, as Place orders them
};
