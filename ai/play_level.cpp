#include "ai/play_level.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace ai {

namespace {

constexpr float kBeginnerPotForces[] = {1.8f};
constexpr float kBeginnerGridForces[] = {6.0f};
constexpr float kClubPotForces[] = {1.4f, 2.2f, 3.2f};
constexpr float kClubGridForces[] = {4.0f, 8.0f};
constexpr float kMasterPotForces[] = {1.25f, 1.6f, 2.2f, 3.0f};
constexpr float kMasterGridForces[] = {3.5f, 6.5f, 10.0f};

const LevelSettings kRandom{};

const LevelSettings kBeginner{
    .pots = {.spreadSpots = 3, .forceFactors = kBeginnerPotForces},
    .grid = {5, 9, kBeginnerGridForces},
    .firstPlyBudget = 120,
    .angleError = 0.04f,
    .forceError = 0.15f,
    .spotError = 0.4f,
};

const LevelSettings kClub{
    .pots = {.spreadSpots = 7,
             .offTheCushion = true,
             .forceFactors = kClubPotForces,
             .fanSteps = 1},
    .grid = {9, 15, kClubGridForces},
    .firstPlyBudget = 700,
    .weighLeave = true,
    .steadinessShots = 4,
    .angleError = 0.012f,
    .forceError = 0.06f,
    .spotError = 0.15f,
};

const LevelSettings kMaster{
    .pots = {.spreadSpots = 11,
             .offTheCushion = true,
             .forceFactors = kMasterPotForces,
             .fanSteps = 2},
    .grid = {13, 21, kMasterGridForces},
    .firstPlyBudget = 2000,
    .weighLeave = true,
    .lookaheadShots = 6,
    .lookaheadBudget = 120,
    .steadinessShots = 6,
    .angleError = 0.003f,
    .forceError = 0.02f,
    .spotError = 0.04f,
};

constexpr const char* kNames[] = {"random", "beginner", "club", "master"};

}  // namespace

const LevelSettings& SettingsOf(Level level) {
    switch (level) {
        case Level::Beginner:
            return kBeginner;
        case Level::Club:
            return kClub;
        case Level::Master:
            return kMaster;
        case Level::Random:
            break;
    }
    return kRandom;
}

std::optional<Level> ParseLevel(std::string_view name) {
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (int i = 0; i < 4; ++i) {
        if (lower == kNames[i]) return static_cast<Level>(i);
    }
    return std::nullopt;
}

const char* LevelName(Level level) {
    return kNames[static_cast<int>(level)];
}

}  // namespace ai
