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
    int LocalSeat() override { return seat; }
    void SetLocalSeat(int s) override { seat = s; }
    void ShowRemoteAim(const wire::Aim& aim) override { shownAims.push_back(aim); }
    wire::Positions ReadPositions() override { return positions; }
    void WritePositions(const wire::Positions& p) override { positions = p; }

    void SaveDump() override { ++dumps; }
    void PlayEffect(int effect) override { effects.push_back(effect); }
    void SetMouseFocus(bool hasFocus) override {
        mouseFocus = hasFocus;
        focusCalls.push_back(hasFocus);
    }
    bool Finished() const override { return shutdowns > 0; }

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
    // What the library says during the next step, handed out after it.
    LibraryReports duringNextStep;
    // Run inside the next step, as the library's own rules would.
    std::function<void()> insideNextStep;
    uint32_t practiceSeed = 1765300000;
    std::vector<std::string> optionCalls;

protected:
    void Finish() override {
        ++shutdowns;
        introsAtShutdown = introsShown;
        focusCallsAtShutdown = focusCalls.size();
    }
    void PutSideToMove(int s) override { side = s; }
    LibraryReports RunStep() override {
        ++steps;
        if (insideNextStep) std::exchange(insideNextStep, {})();
        if (moving && --stepsUntilRest <= 0) {
            moving = false;
            stepsUntilRest = kShotSteps;
        }
        return std::exchange(duringNextStep, {});
    }
    LibraryReports RunFrame() override {
        ++renders;
        return {};
    }
    void LayIntro() override { ++introsShown; }
    void LayMatch(int s, int seed) override {
        matches.push_back({s, seed});
        side = 0;
        seat = s == 1 ? 0 : s == 2 ? 1 : 2;
    }
    void LayPracticeRun(const QString& name, uint32_t seed, bool watched) override {
        practiceName = name;
        practiceRuns.push_back({name, seed, watched});
        side = 0;
        seat = 0;
    }
    void LayBestScores() override { ++bestScoresShown; }
    uint32_t PracticeSeed() override { return practiceSeed; }

private:
    void NoteOption(const char* name, int value) {
        optionCalls.push_back(std::string(name) + "(" + std::to_string(value) + ")");
    }
};
