// The one record of the game: the table, its 21 discs and everything the rules,
// the aim, practice mode and the scene read from it. There is exactly one table
// per process; every exported call works on it. Functions of the game layer take
// the record by reference so that a copy can be simulated (tests, shot search).
#pragma once

#include <cstddef>
#include <cstdint>

#include "game/aim_keys.h"
#include "game/game_events.h"
#include "game/game_random.h"

class GamePresentation;
class GameSound;

enum DiscColor : int8_t { kColorNone = 0, kColorYellow = 1, kColorGreen = 2, kColorRed = 3 };
enum DiscStatus : int8_t { kStatusOff = 0, kStatusOnTable = 1, kStatusPocketed = 2 };
enum GameMode : int8_t { kModeIdle = 0, kModeMatch = 1, kModePractice = 2, kModeRecords = 3 };
enum ShotOutcome : int32_t {
    kOutcomeNone = 0,
    kOutcomeRunning = 1,
    kOutcomeOwnDisc = 2,
    kOutcomeFoul = 3,
    kOutcomeYellowFell = 4,
};
enum PracticePhase : int8_t {
    kPhasePlaying = 0,
    kPhaseLevelCleared = 1,
    kPhaseAllCleared = 2,
    kPhaseOutOfTries = 3,
};

constexpr int kDiscCount = 21;  // disc 0 is the striker, 1..20 the playing discs
constexpr int kStriker = 0;
constexpr int kSideGreen = 0;
constexpr int kSideRed = 1;
constexpr int kSeatSpectator = 2;
constexpr uint8_t kNoWinner = 255;
constexpr uint8_t kWinnerDraw = 3;
constexpr uint8_t kNoRecordRow = 100;
constexpr int kPointsToWin = 10;

struct Disc {
    float x = 0, z = 0;
    float vx = 0, vz = 0;
    DiscColor color = kColorNone;
    DiscStatus status = kStatusOff;

    bool IsStill() const { return vx == 0.0f && vz == 0.0f; }
};

enum AimPhase : int32_t { kAimPlacing = 0, kAimHolding = 1, kAimReleased = 2 };

// The local player's aim, moved by the mouse once per drawn frame.
struct AimState {
    float aimX = 0, aimZ = 0;
    float aimAngle = 0, aimForce = 0;
    int32_t aimPhase = kAimPlacing;
    float shotX = 0, shotZ = 0, shotForce = 0, shotAngle = 0;  // latched at the release
    int32_t savedCursorX = 0, savedCursorY = 0;
    float placementAlpha = 0.5f;
};

// The other side's aim as it arrives from the network.
struct PeerAim {
    float z = 0, x = 0, force = 0, angle = 0;
    uint8_t show = 0;
};

// Rotation of the table view; the right mouse button turns it, a reset
// brings it back to rest.
struct ViewRotation {
    float yaw = 0.0f;
    float pitch = -0.16f;
};

// What the picture shows of the game that runs by the frame: the put-back
// disc's blink and the rhythm of the fireworks after a match. The game's
// frame keeps them, so a frame with a picture and one without take the
// same steps; a table reset leaves them, a scene's start begins them anew.
struct ShowTimers {
    int32_t blinkTicks = 0, blinkCycles = 0;
    float fireworkTimer = 0;
    float fireworkInterval = 0.2f;  // seconds until the next firework
};

// Where what happens on a table goes: its events to whoever drives the
// game, its effects and songs to a sound sink, the moments the picture
// follows to a presentation. An empty slot or a null sink hears and shows
// nothing, so a fresh table (a peer without a window, a copy simulated for
// the computer player's search) is silent by construction; the scene
// connects the process's table while it is up.
struct GameOutputs {
    GameEvents events;
    GameSound* sound = nullptr;
    GamePresentation* presentation = nullptr;
};

// How the sides' discs look: the classic green and red, or the look that
// players with any common colour-vision deficiency tell apart (see
// scene/disc_look.h).
enum class DiscLook : uint8_t { kClassic = 0, kColourSafe = 1 };

// How this machine shows the table, as the program's switches set it. The
// table carries them, so a copy made for the picture draws as the original
// would, and the disc look is kept across scenes.
struct ViewOptions {
    uint8_t quality = 1;   // the detailed table and discs; 0 the light ones
    uint8_t mirror = 1;    // the table reflects the discs
    uint8_t specular = 1;  // the highlights; every scene starts with them on
    DiscLook discLook = DiscLook::kClassic;
};

// The name a practice run is played under, held by value so that a copy
// of the table carries it and nobody frees it. As long as a best-play
// row's name may be; a longer one is cut.
constexpr size_t kPlayerNameBytes = 127;
struct PlayerName {
    char text[kPlayerNameBytes + 1] = {};

    // Null is taken as empty.
    void Assign(const char* name);
};

struct GameState {
    Disc discs[kDiscCount];
    // The table's generator lays out its discs: both machines of a match
    // seed it alike, so the colours come out the same everywhere, and a
    // practice run seeds it once, so its last level follows from the run's
    // seed.
    RandomSequence tableRandom{1};
    // The show's generator picks what is only seen and heard (the hints, the
    // fireworks, the song). The picture draws from it while it only reads
    // the table, hence mutable; drawn from the table's own generator, these
    // would make the next table depend on how many frames were drawn.
    mutable RandomSequence showRandom{1};
    GameMode mode = kModeIdle;
    int32_t currentPlayer = kSideGreen;
    int32_t localSeat = kSeatSpectator;
    uint8_t points[2] = {0, 0};
    uint8_t winner = kNoWinner;
    int32_t shotOutcome = kOutcomeNone;
    uint8_t isMoving = 0;
    uint8_t remoteShot = 0;
    int32_t yellowFellBy = 0;
    int32_t movingSteps = 0;
    int32_t turnFrames = 0, turnSeconds = 0;
    uint8_t paused = 0;
    uint8_t language = 0;

    // practice run
    uint8_t triesLeft = 0;
    int32_t shotsTaken = 0;
    int32_t practiceLevel = 1;
    int8_t practicePhase = kPhasePlaying;
    float phaseTimer = 0;
    float runClockAccumulator = 0;
    int32_t elapsedSeconds = 0;
    PlayerName playerName;
    uint8_t newRecordRow = kNoRecordRow;
    float recordsScreenSeconds = 0;  // how long the best-plays screen has shown
    uint8_t runWatched = 0;          // the run is a recorded one played again

    // the disc put back after the striker fell (the scene blinks it)
    int32_t returnedDisc = 0, returnedSlot = 0;
    uint8_t discReturned = 0;
    ShowTimers show;

    AimState aim;
    PeerAim peerAim;
    ViewRotation view;
    uint8_t hasFocus = 0;
    float mouseSensitivity = 100.0f;
    uint8_t audioOn = 1, musicOn = 1;
    ViewOptions options;
    uint8_t rendering = 0;
    int8_t dumpCounter = 0;
    GameOutputs outputs;
    KeyAimState keyAim;
};

// A practice run played again from its recording: nobody at this machine
// aims at it, pauses it or enters it into the best plays.
inline bool WatchedRun(const GameState& g) {
    return g.mode == kModePractice && g.runWatched != 0;
}

// The process-wide table.
GameState& Game();

// Defaults set when the library is attached to a process.
void SetLibraryStartDefaults(GameState& g);

// Brings the rules, the aim and the view back to rest; disc positions stay.
void ResetTable(GameState& g);
