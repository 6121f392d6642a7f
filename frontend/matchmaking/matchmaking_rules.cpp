#include <algorithm>

#include "frontend/matchmaking/matchmaker.h"
#include "frontend/texts/window_texts.h"

namespace lobby {

namespace {

constexpr int kTableSeats = 2;

}  // namespace

std::optional<GameListing> ListingOfHostedGame(const OnlineGame& game, int64_t openedAt) {
    if (!game.IsHost()) return std::nullopt;
    int present = 0;
    for (int slot = 1; slot <= kPlayerSlotCount; ++slot) present += game.Slots().IsOccupied(slot);
    GameListing listing;
    listing.hostName = game.Nickname().left(kMaxHostNameChars);
    listing.seats = kTableSeats;
    listing.seatsTaken = std::min(present, kTableSeats);
    listing.watchers = std::min(present - listing.seatsTaken, kMaxWatchers);
    listing.password = game.AsksPassword();
    listing.stage = game.MatchRunning() || game.CountdownRunning() ? GameStage::InMatch
                                                                   : GameStage::Waiting;
    listing.version = QString::fromLatin1(kVersionText);
    listing.openedAt = openedAt;
    return listing;
}

JoinAnswer WhereToJoin(const std::optional<ForwardedPort>& forwarded, const QString& ownAddress,
                       quint16 listeningPort) {
    if (forwarded) return {forwarded->externalAddress, forwarded->port};
    return {ownAddress, listeningPort};
}

std::optional<QString> QuickMatchHost(const std::map<QString, GameListing>& games,
                                      const QString& version, const QString& ownNickname) {
    std::optional<QString> oldest;
    int64_t oldestOpenedAt = 0;
    for (const auto& [host, game] : games) {
        if (host == ownNickname || game.version != version || game.password ||
            game.stage != GameStage::Waiting || game.seatsTaken >= game.seats)
            continue;
        // Ties go to the first by name, so every player picks the same one.
        if (!oldest || game.openedAt < oldestOpenedAt) {
            oldest = host;
            oldestOpenedAt = game.openedAt;
        }
    }
    return oldest;
}

}  // namespace lobby
