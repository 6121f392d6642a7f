// A headless player at the lobby: a front end's core over the recording
// library (or one derived from it), with the matchmaker beside it as the
// window holds them, telling players who ask to connect to 127.0.0.1. It
// keeps every lobby report and every failed join.
#pragma once

#include <QDateTime>
#include <QString>
#include <utility>
#include <vector>

#include "frontend/matchmaking/matchmaker.h"
#include "frontend/view/headless_view.h"
#include "tests/frontend/lobby/heard_events.h"
#include "tests/frontend/core/recording_library.h"
#include "tests/frontend/spin_until.h"

template <typename Library>
struct LobbyPeerOver : HeardEvents, lobby::MatchmakerObserver {
    explicit LobbyPeerOver(const QString& nickname) : name(nickname) {
        core.Online().SetLanguage(2);
        core.Online().SetNickname(nickname);
        core.Start(false, 16);
        matchmaker.SetOwnAddress([] { return QStringLiteral("127.0.0.1"); });
    }
    ~LobbyPeerOver() override {
        matchmaker.SignOut();
        core.Close({});
    }

    void LobbyReport(const lobby::LobbyEvent& event) override { HeardEvents::LobbyReport(event); }
    void JoinFailed(const QString& host, lobby::JoinFailure why) override {
        failures.emplace_back(host, why);
    }

    bool SignIn(const lobby::LobbyServer& server, const QString& nickname,
                lobby::TrafficTap tap = {}) {
        return matchmaker.SignIn(server, nickname, std::move(tap)) && SpinUntil([&] {
                   return matchmaker.Client().Status() != lobby::LobbyStatus::SigningIn;
               }) && matchmaker.Client().Status() == lobby::LobbyStatus::In;
    }
    std::optional<lobby::GameListing> GameOf(const QString& host) {
        const auto& games = matchmaker.Client().Games();
        const auto it = games.find(host);
        return it == games.end() ? std::nullopt : std::optional(it->second);
    }
    // Whether a player of this name sits at the game hosted here.
    bool Seated(const QString& name) {
        return core.Online().IsHost() && core.Online().Slots().FindExact(name) != 0;
    }

    const QString name;
    std::vector<std::pair<QString, lobby::JoinFailure>> failures;
    HeadlessView view;
    Library library;
    FrontendCore core{view, [](int) {}, library};
    lobby::Matchmaker matchmaker{core, *this};
};

using LobbyPeer = LobbyPeerOver<RecordingLibrary>;
