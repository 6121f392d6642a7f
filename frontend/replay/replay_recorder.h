// Records every match and practice run that passes through the game library
// as a replay. It stands between the front end and the library, passing
// every call and notification on unchanged, and notes what changes the
// table: a match or run begun, a shot fired, a turn passed here or by a
// peer, a table set by a sync, the end or the abandonment. Standing there,
// it counts the physics steps exactly (ticks that catch up run two) and sees
// the turns this machine passes by itself, which never enter the event
// queue.
//
// A finished recording goes to the sink; one without a single shot is
// dropped, as nothing happened worth watching.
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "frontend/library/game_library.h"
#include "frontend/replay/replay_format.h"

// What the recorder cannot see on the table: the players' names, the
// language, the version and whether the opponent is the computer. Asked once
// the match has settled its players, on its first physics step.
struct ReplayPeople {
    QString greenName, redName;  // practice: the player as green
    uint8_t language = 2;
    bool againstComputer = false;
};

class ReplayRecorder : public GameLibrary, private GameLibraryListener {
public:
    using Sink = std::function<void(const replay::Replay&)>;
    using PeopleSource = std::function<ReplayPeople()>;
    using Clock = std::function<int64_t()>;  // seconds since 1970

    ReplayRecorder(GameLibrary& library, Sink sink, PeopleSource people, Clock clock = {});
    ~ReplayRecorder() override;

    bool Recording() const { return recording_.has_value(); }
    // The library itself, for what must not be recorded: a replay watched.
    GameLibrary& Unrecorded() { return library_; }

    // GameLibrary.
    bool Initialize(quintptr window, int width, int height, bool debug, int uiLanguage) override {
        return library_.Initialize(window, width, height, debug, uiLanguage);
    }
    bool ResizeScene(int width, int height) override { return library_.ResizeScene(width, height); }
    void Shutdown() override;
    bool Finished() const override { return library_.Finished(); }
    void Attach(GameLibraryListener* listener) override;
    void Detach(GameLibraryListener* listener) override;

    // TableDriver.
    bool IsMoving() override { return library_.IsMoving(); }
    bool Shoot(const wire::Shot& shot) override;
    bool PassTurnFromPeer() override;
    int SideToMove() override { return library_.SideToMove(); }
    void SetSideToMove(int side) override;
    int LocalSeat() override { return library_.LocalSeat(); }
    void SetLocalSeat(int side) override { library_.SetLocalSeat(side); }
    void ShowRemoteAim(const wire::Aim& aim) override { library_.ShowRemoteAim(aim); }
    void StepPhysics() override;
    void Render() override { library_.Render(); }
    wire::Positions ReadPositions() override { return library_.ReadPositions(); }
    void WritePositions(const wire::Positions& positions) override {
        library_.WritePositions(positions);
    }

    // TableScreen.
    void ShowIntro() override;
    void StartMatch(int seat, int seed) override;
    // A practice run is started from a seed of the calendar clock, as the
    // library would seed it, so that the recording knows it.
    void StartPractice(const QString& playerName) override;
    // A watched run is not recorded.
    void StartPracticeRun(const QString& playerName, uint32_t seed, bool watched) override;
    void SaveDump() override { library_.SaveDump(); }
    void ShowBestScores() override;
    void PlayEffect(int effect) override { library_.PlayEffect(effect); }
    void SetMouseFocus(bool hasFocus) override { library_.SetMouseFocus(hasFocus); }

    // LibraryOptions.
    void SetSpecularLight(bool on) override { library_.SetSpecularLight(on); }
    void SetReflection(bool on) override { library_.SetReflection(on); }
    void SetHighQuality(bool high) override { library_.SetHighQuality(high); }
    void SetSoundEffects(bool on) override { library_.SetSoundEffects(on); }
    void SetMusic(bool on) override { library_.SetMusic(on); }
    void SetMouseSensitivity(int sensitivity) override {
        library_.SetMouseSensitivity(sensitivity);
    }
    void SetDiscColours(DiscColours look) override { library_.SetDiscColours(look); }

private:
    // GameLibraryListener: passed on to the front end's listener.
    void OnShoot(const wire::Shot& shot) override;
    void OnTurnPassed() override;
    void OnAim(const wire::Aim& aim) override;
    void OnVictory(int result) override;

    void Begin(replay::Mode mode, replay::Seat seat, int32_t seedOrLevel);
    void Note(replay::Event event);
    uint64_t TableNow();
    // Ends the recording now, as abandoned, and hands it to the sink.
    void Abandon();
    // fingerprint: the table as the end leaves it.
    void Finish(replay::End end, uint64_t fingerprint);

    GameLibrary& library_;
    Sink sink_;
    PeopleSource people_;
    Clock clock_;
    GameLibraryListener* listener_ = nullptr;
    std::optional<replay::Replay> recording_;
    uint32_t steps_ = 0;
    bool inStep_ = false;
    bool peopleKnown_ = false;
    // Practice: the table after the last step, the one the run's end refers to.
    uint64_t fingerprint_ = 0;
    // A match decided inside a step ends once that step is over.
    std::optional<replay::End> endAfterStep_;
};
