#include "frontend/lobby/game_listing.h"

namespace lobby {

namespace {

constexpr char kWaiting[] = "waiting";
constexpr char kInMatch[] = "match";
// Until the year 9999: a larger time is nonsense, not a game from the future.
constexpr int64_t kLatestOpening = 253402300799;

const std::string* Field(const ElementAttributes& attributes, const char* name) {
    const auto it = attributes.find(name);
    return it == attributes.end() ? nullptr : &it->second;
}

bool IsVersionChar(QChar c) {
    return c.unicode() > 0x20 && c.unicode() < 0x7F;
}

}  // namespace

ElementAttributes EncodeGameListing(const GameListing& listing) {
    return {{"host", listing.hostName.toStdString()},
            {"seats", std::to_string(listing.seatsTaken)},
            {"of", std::to_string(listing.seats)},
            {"watchers", std::to_string(listing.watchers)},
            {"password", listing.password ? "1" : "0"},
            {"state", listing.stage == GameStage::Waiting ? kWaiting : kInMatch},
            {"version", listing.version.toStdString()},
            {"opened", std::to_string(listing.openedAt)}};
}

std::optional<GameListing> DecodeGameListing(const ElementAttributes& attributes) {
    const std::string* host = Field(attributes, "host");
    const std::string* seatsTaken = Field(attributes, "seats");
    const std::string* seats = Field(attributes, "of");
    const std::string* watchers = Field(attributes, "watchers");
    const std::string* password = Field(attributes, "password");
    const std::string* state = Field(attributes, "state");
    const std::string* version = Field(attributes, "version");
    const std::string* opened = Field(attributes, "opened");
    if (!host || !seatsTaken || !seats || !watchers || !password || !state || !version || !opened)
        return std::nullopt;

    GameListing listing;
    const std::optional<QString> hostName = ReadPlainText(*host, kMaxHostNameChars);
    const std::optional<int64_t> of = ReadBoundedNumber(*seats, 1, kMaxSeats);
    if (!hostName || !of) return std::nullopt;
    const std::optional<int64_t> taken = ReadBoundedNumber(*seatsTaken, 0, *of);
    const std::optional<int64_t> watching = ReadBoundedNumber(*watchers, 0, kMaxWatchers);
    const std::optional<int64_t> locked = ReadBoundedNumber(*password, 0, 1);
    const std::optional<int64_t> openedAt = ReadBoundedNumber(*opened, 0, kLatestOpening);
    const std::optional<QString> programVersion = ReadPlainText(*version, kMaxVersionChars);
    if (!taken || !watching || !locked || !openedAt || !programVersion) return std::nullopt;
    if (*state != kWaiting && *state != kInMatch) return std::nullopt;
    for (const QChar c : *programVersion)
        if (!IsVersionChar(c)) return std::nullopt;

    listing.hostName = *hostName;
    listing.seatsTaken = static_cast<int>(*taken);
    listing.seats = static_cast<int>(*of);
    listing.watchers = static_cast<int>(*watching);
    listing.password = *locked == 1;
    listing.stage = *state == kWaiting ? GameStage::Waiting : GameStage::InMatch;
    listing.version = *programVersion;
    listing.openedAt = *openedAt;
    return listing;
}

bool IsPublishable(const GameListing& listing) {
    const std::optional<GameListing> read = DecodeGameListing(EncodeGameListing(listing));
    return read && *read == listing;
}

}  // namespace lobby
