#include "game/game_state.h"

#include <cstring>

#include "game/presentation.h"

GameState& Game() {
    static GameState state;
    return state;
}

void PlayerName::Assign(const char* name) {
    const size_t length = name ? strnlen(name, kPlayerNameBytes) : 0;
    std::memcpy(text, name ? name : "", length);
    text[length] = '\0';
}

void SetLibraryStartDefaults(GameState& g) {
    g.rendering = 0;
    g.options.quality = 1;
    g.mode = kModeIdle;
    g.options.mirror = 1;
    g.isMoving = 0;
    g.remoteShot = 0;
    g.audioOn = 1;
    g.musicOn = 1;
    g.mouseSensitivity = 100.0f;
    g.points[0] = g.points[1] = 0;
    g.currentPlayer = kSideGreen;
    g.localSeat = kSeatSpectator;
    g.shotOutcome = kOutcomeNone;
    g.returnedDisc = g.returnedSlot = 0;
    g.discReturned = 0;
    g.peerAim = PeerAim{};
    g.newRecordRow = kNoRecordRow;
    g.paused = 0;
    g.dumpCounter = 0;
}

void ResetTable(GameState& g) {
    g.isMoving = 0;
    g.remoteShot = 0;
    g.winner = kNoWinner;
    g.points[0] = g.points[1] = 0;
    g.currentPlayer = kSideGreen;
    g.localSeat = kSeatSpectator;
    g.shotOutcome = kOutcomeNone;
    g.turnFrames = g.turnSeconds = 0;
    g.mode = kModeIdle;
    g.view = ViewRotation{};
    g.aim = AimState{};
    g.returnedDisc = g.returnedSlot = 0;
    g.discReturned = 0;
    g.movingSteps = 0;
    g.peerAim = PeerAim{};
    PresentationOf(g).OnTableReset();
    g.paused = 0;
}
