#include "game/practice.h"

#include <ctime>

#include "game/game_sound.h"
#include "game/presentation.h"
#include "game/records.h"
#include "game/step_rate.h"
#include "game/table_layout.h"

namespace {

struct LevelDisc {
    int disc;
    float x, z;
    DiscColor color;
};

struct Level {
    const LevelDisc* discs;
    int count;
};

constexpr DiscColor G = kColorGreen;
constexpr DiscColor R = kColorRed;

constexpr LevelDisc kLevel1[] = {{1, -12.5f, 0, G}, {2, 0, 0, G}, {3, 12.5f, 0, G}};
constexpr LevelDisc kLevel2[] = {
    {1, 0, 0, G}, {2, 12.5f, 0, G}, {3, -12.5f, 0, G}, {4, 0, 12.5f, G}, {5, 0, -12.5f, G}};
constexpr LevelDisc kLevel3[] = {{1, -10.5f, 0, R}, {2, 10.5f, 0, R}, {3, 0, -12.5f, R},
                                 {4, -12, -5, G},   {5, 12, -5, G},   {6, 0, -17, G}};
constexpr LevelDisc kLevel4[] = {{1, -2.8f, -12.5f, R}, {2, 2.8f, -12.5f, R}, {3, -19, -26, G},
                                 {4, 19, -26, G},       {5, -10, 10, G},      {6, 10, 10, G}};
constexpr LevelDisc kLevel5[] = {{1, 0, 0, G},        {2, -27, 10, G},    {3, 27, 10, G},
                                 {4, -18.5f, -25, G}, {5, 18.5f, -25, G}, {6, 18.5f, -20, R},
                                 {7, -18.5f, -20, R}};
constexpr LevelDisc kLevel6[] = {{1, -3, 0, R},      {2, 3, 0, R},    {3, -11.5f, -10, G},
                                 {4, 11.5f, -10, G}, {5, -20, 23, G}, {6, 20, 23, G}};
constexpr LevelDisc kLevel7[] = {
    {1, 0, -12.5f, G}, {2, -19, 12, G}, {3, 19, 12, G}, {4, -7, 0, R}, {5, 7, 0, R}};
constexpr LevelDisc kLevel8[] = {
    {1, 20, -20, G},       {2, -20, -20, G},       {3, 20, 20, G},       {4, -20, 20, G},
    {5, 16.5f, -16.5f, R}, {6, -16.5f, -16.5f, R}, {7, 16.5f, 16.5f, R}, {8, -16.5f, 16.5f, R}};
constexpr LevelDisc kLevel9[] = {{1, 0, 0, G},    {2, -5, -5, R},  {3, 5, -5, R},
                                 {4, -5, 5, R},   {5, 5, 5, R},    {6, -10, -10, G},
                                 {7, 10, -10, G}, {8, -10, 10, G}, {9, 10, 10, G}};
constexpr LevelDisc kLevel10[] = {{1, -3.5f, 0, G}, {2, 3.5f, 0, G}, {3, -7, -6, R},
                                  {4, 0, -6, R},    {5, 7, -6, R},   {6, -10, -12, G},
                                  {7, -3, -12, G},  {8, 3, -12, G},  {9, 10, -12, G}};
constexpr LevelDisc kLevel11[] = {
    {1, -28.5f, -20, G},    {2, 28.5f, -20, G},    {3, -28.5f, 20, G},    {4, 28.5f, 20, G},
    {5, -20.5f, -20.5f, R}, {6, 20.5f, -20.5f, R}, {7, -20.5f, 20.5f, R}, {8, 20.5f, 20.5f, R}};
constexpr LevelDisc kLevel12[] = {{1, -12.5f, 0, G},  {2, 12.5f, 0, G},    {3, -25.5f, 0, G},
                                  {4, 25.5f, 0, G},   {6, -25.5f, -19, R}, {7, 25.5f, -19, R},
                                  {8, -25.5f, 19, R}, {9, 25.5f, 19, R}};
constexpr LevelDisc kLevel13[] = {{1, -31, -25, G},    {2, 31, -25, G},  {3, -3.5f, 29.5f, G},
                                  {4, 3.5f, 29.5f, G}, {5, -19, -25, R}, {6, 19, -25, R},
                                  {7, -19, 24, R},     {8, 19, 24, R}};
constexpr LevelDisc kLevel14[] = {{1, -3.5f, -25, G}, {2, 3.5f, -25, G},  {3, -3.5f, 25, G},
                                  {4, 3.5f, 25, G},   {5, -25, -3.5f, G}, {6, 25, -3.5f, G},
                                  {7, -25, 3.5f, G},  {8, 25, 3.5f, G}};
constexpr LevelDisc kLevel15[] = {
    {1, 0, 0, R},           {2, -21, -21, G},      {3, 21, -21, G},
    {4, -15.5f, -15.5f, G}, {5, 15.5f, -15.5f, G}, {6, -10, -10, G},
    {7, 10, -10, G},        {8, -3.7f, -5.3f, G},  {9, 3.7f, -5.3f, G}};
constexpr LevelDisc kLevel16[] = {{1, -25, 19.5f, G}, {2, -20, 19.5f, G}, {3, -30, 19.5f, G},
                                  {4, 25, 19.5f, G},  {5, 20, 19.5f, G},  {6, 30, 19.5f, G}};
constexpr LevelDisc kLevel17[] = {
    {1, -20, 31.5f, G}, {2, 20, 31.5f, G}, {3, -20, -31.5f, G}, {4, 20, -31.5f, G}};
constexpr LevelDisc kLevel18[] = {{1, 0, 0, R},       {2, -4, 0, R},     {3, 4, 0, R},
                                  {4, -25, 19, R},    {5, 25, 19, R},    {6, -25, -19, R},
                                  {7, 25, -19, R},    {8, 0, -12.5f, G}, {9, 0, 12.5f, G},
                                  {10, -12.5f, 0, G}, {11, 12.5f, 0, G}};
constexpr LevelDisc kLevel19[] = {
    {1, 10, -10, G},       {2, -10, -10, G},        {3, 10, 10, G},        {4, -10, 10, G},
    {5, 25, -18.5f, G},    {6, -25, -18.5f, G},     {7, 25, 18.5f, G},     {8, -25, 18.5f, G},
    {9, 18.5f, -18.5f, R}, {10, -18.5f, -18.5f, R}, {11, 18.5f, 18.5f, R}, {12, -18.5f, 18.5f, R},
    {13, 0, 0, G}};

template <size_t N>
constexpr Level L(const LevelDisc (&discs)[N]) {
    return {discs, static_cast<int>(N)};
}

// Levels 1..19; level 20 is the standard layout of a match.
constexpr Level kLevels[] = {L(kLevel1),  L(kLevel2),  L(kLevel3),  L(kLevel4),  L(kLevel5),
                             L(kLevel6),  L(kLevel7),  L(kLevel8),  L(kLevel9),  L(kLevel10),
                             L(kLevel11), L(kLevel12), L(kLevel13), L(kLevel14), L(kLevel15),
                             L(kLevel16), L(kLevel17), L(kLevel18), L(kLevel19)};

uint32_t ClockSeed() {
    return static_cast<uint32_t>(std::time(nullptr));
}

constexpr float kStepSeconds = 1.0f / kStepsPerSecond;

void FireRunOver(GameState& g) {
    if (g.outputs.events.decided) g.outputs.events.decided(0);
}

}  // namespace

void StartPractice(GameState& g, const char* playerName) {
    StartPractice(g, playerName, ClockSeed(), false);
}

void StartPractice(GameState& g, const char* playerName, uint32_t seed, bool watched) {
    g.playerName.Assign(playerName);
    g.runWatched = watched ? 1 : 0;
    g.tableRandom = RandomSequence(seed);
    g.elapsedSeconds = 0;
    g.runClockAccumulator = 0;
    g.practiceLevel = 1;
    g.phaseTimer = 0;
    g.practicePhase = kPhasePlaying;
    g.triesLeft = kPracticeTries;
    PresentationOf(g).OnPracticeStarted();
    g.shotsTaken = 0;
    SetUpLevel(g, 1);
}

void SetUpLevel(GameState& g, int level) {
    ResetTable(g);
    g.currentPlayer = kSideGreen;
    g.localSeat = kSideGreen;
    g.mode = kModePractice;
    g.practicePhase = kPhasePlaying;
    if (level > kPracticeLevels) return;

    g.discs[kStriker] = Disc{};
    g.discs[kStriker].color = kColorYellow;
    for (int k = 1; k < kDiscCount; ++k) {
        g.discs[k] = Disc{};
        g.discs[k].color = kColorGreen;
    }
    g.points[kSideGreen] = kPointsToWin;
    g.points[kSideRed] = 0;
    g.practiceLevel = level;
    if (level >= 1 && level < kPracticeLevels) {
        const Level& table = kLevels[level - 1];
        for (int k = 0; k < table.count; ++k) {
            const LevelDisc& d = table.discs[k];
            PlacePracticeDisc(g, d.disc, d.x, d.z, d.color);
        }
    } else {
        StandardLayout(g);
    }
    if (g.musicOn) {
        g.showRandom = RandomSequence(ClockSeed());
        SoundOf(g).StartGameMusic(RandomGameTrack(g), kRepeatForever);
    }
    SoundOf(g).PlayEffect(kEffectMatchStart);
}

void PlacePracticeDisc(GameState& g, int disc, float x, float z, char color) {
    if (disc < 0 || disc >= kDiscCount) return;
    if (color != kColorGreen && color != kColorRed) return;
    Disc& d = g.discs[disc];
    d.x = x;
    d.z = z;
    d.color = static_cast<DiscColor>(color);
    d.status = kStatusOnTable;
    uint8_t& owed = g.points[color - kColorGreen];
    if (owed > 0) --owed;
}

bool PracticeChargeTry(GameState& g) {
    if (g.shotOutcome == kOutcomeOwnDisc || g.practicePhase != kPhasePlaying) return false;
    if (g.triesLeft > 0) --g.triesLeft;
    if (g.triesLeft > 0) return false;

    g.winner = kSideRed;
    g.practicePhase = kPhaseOutOfTries;
    g.phaseTimer = 0;
    g.shotOutcome = kOutcomeNone;
    SoundOf(g).StopMusic();
    SoundOf(g).PlayEffect(kEffectLose);
    if (!WatchedRun(g)) EnterBestPlay(g);
    return true;
}

void PracticeLevelCleared(GameState& g) {
    g.phaseTimer = 0;
    if (g.practiceLevel >= kPracticeLevels) {
        g.practicePhase = kPhaseAllCleared;
        if (!WatchedRun(g)) EnterBestPlay(g);
    } else {
        g.practicePhase = kPhaseLevelCleared;
    }
}

void HandlePauseKey(GameState& g, bool pausePressed) {
    if (pausePressed && g.mode == kModePractice && g.practicePhase == kPhasePlaying &&
        !WatchedRun(g)) {
        g.paused = !g.paused;
    }
}

void AdvancePracticePhase(GameState& g, float seconds) {
    if (g.mode != kModePractice) return;
    switch (g.practicePhase) {
        case kPhaseLevelCleared:
            g.phaseTimer += seconds;
            if (g.phaseTimer >= kLevelClearedSeconds) SetUpLevel(g, g.practiceLevel + 1);
            break;
        case kPhaseAllCleared:
            g.phaseTimer += seconds;
            if (g.phaseTimer >= kAllClearedSeconds && !WatchedRun(g)) {
                ResetTable(g);
                StandardLayout(g);
                g.practicePhase = kPhasePlaying;
                FireRunOver(g);
                if (g.newRecordRow < kBestPlayRows) ShowBestPlays(g);
            }
            break;
        case kPhaseOutOfTries:
            g.phaseTimer += seconds;
            if (g.phaseTimer >= kOutOfTriesSeconds && !WatchedRun(g)) {
                ResetTable(g);
                g.practicePhase = kPhasePlaying;
                FireRunOver(g);
                if (g.newRecordRow < kBestPlayRows) ShowBestPlays(g);
                if (g.musicOn) SoundOf(g).PlayMusic(kIntroTrack, kRepeatForever);
            }
            break;
        default:
            break;
    }
}

void AdvanceRunClock(GameState& g, float seconds) {
    if (g.mode != kModePractice || g.practicePhase != kPhasePlaying || g.paused) {
        g.runClockAccumulator = 0;
        return;
    }
    g.runClockAccumulator += seconds;
    if (g.runClockAccumulator > 1.0f) {
        ++g.elapsedSeconds;
        g.runClockAccumulator = 0;
    }
}

void AdvancePracticeStep(GameState& g) {
    if (WatchedRun(g)) AdvanceRunClock(g, kStepSeconds);
    AdvancePracticePhase(g, kStepSeconds);
}
