// A stand-in for the game library that records what the front end asks of
// it and plays a table just well enough: a shot keeps the discs moving for a
// few physics steps, a turn change waits for them, a match puts green to move.
// The menus' options are written down in order, as "SetMusic(1)".
#pragma once

#include <QString>
#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "frontend/library/game_library.h"

class RecordingLibrary : public GameLibrary {
public:
    bool Initialize(quintptr window, int width, int height, bool debug, int language) override {
        initializedWindow = window;
        initializedSize = {width, height};
        initializedDebug = debug;
        initializedLanguage = language;
        return initializeSucceeds;
    }
    bool ResizeScene(int width, int height) override {
        resizes.emplace_back(width, height);
        return true;
    }
    bool IsMoving() override { return moving; }
    bool Shoot(const wire::Shot& shot) override {
        ++shootCalls;
        if (moving || refuseShots > 0) {
            refuseShots = std::max(0, refuseShots - 1);
            return false;
        }
        shots.push_back(shot);
        moving = true;
        return true;
    }
    bool PassTurnFromPeer() override {
        if (moving) return false;
        side = 1 - side;
        return true;
    }
    int SideToMove() override { return side; }
    void SetSideToMove(int s) override { side = s; }
    int LocalSeat() override { return seat; }
    void SetLocalSeat(int s) override { seat = s; }
    void ShowRemoteAim(const wire::Aim& aim) override { shownAims.push_back(aim); }
    void StepPhysics() override {
        ++steps;
        // What the library reports from inside this step, as it would.
        if (duringNextStep && listener) std::exchange(duringNextStep, {})(*listener);
        if (moving && --stepsUntilRest <= 0) {
            moving = false;
            stepsUntilRest = kShotSteps;
        }
    }
    void Render() override { ++renders; }
    wire::Positions ReadPositions() override { return positions; }
    void WritePositions(const wire::Positions& p) override { positions = p; }

    void ShowIntro() override { ++introsShown; }
    void StartMatch(int s, int seed) override {
        matches.push_back({s, seed});
        side = 0;
        seat = s == 1 ? 0 : s == 2 ? 1 : 2;
    }
    void StartPractice(const QString& name) override { practiceName = name; }
    void StartPracticeRun(const QString& name, uint32_t seed, bool watched) override {
        practiceName = name;
        practiceRuns.push_back({name, seed, watched});
        side = 0;
        seat = 0;
    }
    void SaveDump() override { ++dumps; }
    void ShowBestScores() override { ++bestScoresShown; }
    void PlayEffect(int effect) override { effects.push_back(effect); }
    void SetMouseFocus(bool hasFocus) override {
        mouseFocus = hasFocus;
        focusCalls.push_back(hasFocus);
    }
    void Shutdown() override {
        ++shutdowns;
        introsAtShutdown = introsShown;
        focusCallsAtShutdown = focusCalls.size();
    }
    bool Finished() const override { return shutdowns > 0; }
    void Attach(GameLibraryListener* l) override { listener = l; }
    void Detach(GameLibraryListener* l) override {
        if (listener == l) listener = nullptr;
    }

    void SetSpecularLight(bool on) override { NoteOption("SetSpecularLight", on); }
    void SetReflection(bool on) override { NoteOption("SetReflection", on); }
    void SetHighQuality(bool high) override { NoteOption("SetHighQuality", high); }
    void SetSoundEffects(bool on) override { NoteOption("SetSoundEffects", on); }
    void SetMusic(bool on) override { NoteOption("SetMusic", on); }
    void SetMouseSensitivity(int sensitivity) override {
        NoteOption("SetMouseSensitivity", sensitivity);
    }
    void SetDiscColours(DiscColours look) override { NoteOption("SetDiscColours", int(look)); }

    struct StartedMatch {
        int seat, seed;
    };
    struct StartedRun {
        QString name;
        uint32_t seed;
        bool watched;
    };

    static constexpr int kShotSteps = 3;
    bool initializeSucceeds = true;
    quintptr initializedWindow = 0;
    std::pair<int, int> initializedSize{};
    // Every size the panel was resized to, in order.
    std::vector<std::pair<int, int>> resizes;
    bool initializedDebug = false;
    int initializedLanguage = 0;
    int bestScoresShown = 0;
    std::vector<int> effects;
    std::vector<bool> focusCalls;
    bool moving = false;
    int stepsUntilRest = kShotSteps;
    int refuseShots = 0;
    int shootCalls = 0;
    int side = 0;
    int seat = 0;
    int steps = 0;
    int renders = 0;
    std::vector<wire::Shot> shots;
    std::vector<wire::Aim> shownAims;
    wire::Positions positions{};

    int introsShown = 0;
    std::vector<StartedMatch> matches;
    QString practiceName;
    std::vector<StartedRun> practiceRuns;
    int dumps = 0;
    bool mouseFocus = true;
    int shutdowns = 0;
    // What had been asked when the library was shut down.
    int introsAtShutdown = 0;
    size_t focusCallsAtShutdown = 0;
    GameLibraryListener* listener = nullptr;
    std::function<void(GameLibraryListener&)> duringNextStep;
    std::vector<std::string> optionCalls;

private:
    void NoteOption(const char* name, int value) {
        optionCalls.push_back(std::string(name) + "(" + std::to_string(value) + ")");
    }
};
