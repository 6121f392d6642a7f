#include "frontend/ui/lobby_game_table.h"

#include <algorithm>

#include "frontend/texts/lobby_texts.h"

namespace {

// Case does not separate names in the list; the exact name breaks ties, so
// the order is total and every host has one place.
bool Before(const QString& a, const QString& b) {
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

}  // namespace

LobbyGameTable::LobbyGameTable(QString ownVersion, int uiLanguage, QObject* parent)
    : QAbstractTableModel(parent), ownVersion_(std::move(ownVersion)), uiLanguage_(uiLanguage) {}

std::vector<LobbyGameTable::Game>::const_iterator LobbyGameTable::Place(const QString& host) const {
    return std::lower_bound(
        games_.begin(), games_.end(), host,
        [](const Game& game, const QString& name) { return Before(game.host, name); });
}

int LobbyGameTable::RowOf(const QString& host) const {
    const auto place = Place(host);
    return place != games_.end() && place->host == host ? int(place - games_.begin()) : -1;
}

void LobbyGameTable::Show(const QString& host, const lobby::GameListing& listing) {
    const auto place = Place(host);
    const int row = int(place - games_.begin());
    if (place != games_.end() && place->host == host) {
        if (place->listing == listing) return;
        games_[size_t(row)].listing = listing;
        Q_EMIT dataChanged(index(row, 0), index(row, kColumnCount - 1));
        return;
    }
    beginInsertRows({}, row, row);
    games_.insert(games_.begin() + row, Game{host, listing});
    endInsertRows();
}

void LobbyGameTable::Remove(const QString& host) {
    const int row = RowOf(host);
    if (row < 0) return;
    beginRemoveRows({}, row, row);
    games_.erase(games_.begin() + row);
    endRemoveRows();
}

void LobbyGameTable::Clear() {
    if (games_.empty()) return;
    beginResetModel();
    games_.clear();
    endResetModel();
}

std::optional<LobbyGameTable::Game> LobbyGameTable::At(int row) const {
    if (row < 0 || row >= int(games_.size())) return std::nullopt;
    return games_[size_t(row)];
}

bool LobbyGameTable::Joinable(const lobby::GameListing& listing) const {
    return listing.version == ownVersion_;
}

QString LobbyGameTable::WidestCell(int column) const {
    switch (column) {
        case Players:
            return QStringLiteral("%1 / %1").arg(lobby::kMaxSeats);
        case Watching:
            return QString::number(lobby::kMaxWatchers);
        case Password:
            return LobbyTr(LobbyText::HasPassword, uiLanguage_);
        case State: {
            const QString waiting = LobbyTr(LobbyText::Waiting, uiLanguage_);
            const QString inMatch = LobbyTr(LobbyText::InMatch, uiLanguage_);
            return waiting.size() > inMatch.size() ? waiting : inMatch;
        }
        case Version:
            return ownVersion_;
    }
    return {};
}

int LobbyGameTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(games_.size());
}

int LobbyGameTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QString LobbyGameTable::CellText(const Game& game, int column) const {
    const lobby::GameListing& g = game.listing;
    switch (column) {
        case Host:
            return game.host;
        case Players:
            return QStringLiteral("%1 / %2").arg(g.seatsTaken).arg(g.seats);
        case Watching:
            return QString::number(g.watchers);
        case Password:
            return g.password ? LobbyTr(LobbyText::HasPassword, uiLanguage_) : QString();
        case State:
            return LobbyTr(
                g.stage == lobby::GameStage::InMatch ? LobbyText::InMatch : LobbyText::Waiting,
                uiLanguage_);
        case Version:
            return g.version;
    }
    return {};
}

QVariant LobbyGameTable::data(const QModelIndex& index, int role) const {
    const std::optional<Game> game = At(index.row());
    if (!game || index.column() < 0 || index.column() >= kColumnCount) return {};
    switch (role) {
        case Qt::DisplayRole:
            return CellText(*game, index.column());
        case Qt::ToolTipRole:
            if (!Joinable(game->listing)) {
                return LobbyTr(LobbyText::OtherVersion, uiLanguage_)
                    .arg(game->listing.version, ownVersion_);
            }
            return {};
        case Qt::TextAlignmentRole:
            return index.column() == Host ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                          : QVariant(Qt::AlignCenter);
    }
    return {};
}

QVariant LobbyGameTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static constexpr LobbyText kHeaders[kColumnCount] = {
        LobbyText::HostColumn,     LobbyText::PlayersColumn, LobbyText::WatchingColumn,
        LobbyText::PasswordColumn, LobbyText::StateColumn,   LobbyText::VersionColumn};
    if (section < 0 || section >= kColumnCount) return {};
    return LobbyTr(kHeaders[section], uiLanguage_);
}

Qt::ItemFlags LobbyGameTable::flags(const QModelIndex& index) const {
    const std::optional<Game> game = At(index.row());
    if (!game) return Qt::NoItemFlags;
    // Greyed and out of reach of the selection, so neither "Join" nor a
    // double click can pick it.
    if (!Joinable(game->listing)) return Qt::ItemNeverHasChildren;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
