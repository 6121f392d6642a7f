// The game library as the rest of the front end reaches it: every call goes
// through to the library until it is shut down, and none after. The close
// still leaves the online game after the library was finalised (peers must
// hear "ENDS:" or "QUIT:"), and leaving resets the table and the mouse
// focus; those calls must not reach a library that has released its scene.
#pragma once

#include "frontend/core/game_library.h"

class LibraryGate : public GameLibrary {
public:
    explicit LibraryGate(GameLibrary& library) : library_(library) {}

    bool Finished() const { return finished_; }

    bool Initialize(quintptr window, int width, int height, bool debug, int uiLanguage) override;
    bool IsMoving() override;
    bool Shoot(const wire::Shot& shot) override;
    bool PassTurnFromPeer() override;
    int SideToMove() override;
    void SetSideToMove(int side) override;
    int LocalSeat() override;
    void ShowRemoteAim(const std::array<float, 4>& aim) override;
    void StepPhysics() override;
    void Render() override;
    wire::Positions ReadPositions() override;
    void WritePositions(const wire::Positions& positions) override;

    void ShowIntro() override;
    void StartMatch(int seat, int seed) override;
    void StartPractice(const QString& playerName) override;
    void SaveDump() override;
    void ShowBestScores() override;
    void PlayEffect(int effect) override;
    void SetMouseFocus(bool hasFocus) override;
    // The last call that reaches the library.
    void Shutdown() override;

    void Attach(GameLibraryListener* listener) override;
    void Detach(GameLibraryListener* listener) override;

    void SetSpecularLight(bool on) override;
    void SetReflection(bool on) override;
    void SetHighQuality(bool high) override;
    void SetSoundEffects(bool on) override;
    void SetMusic(bool on) override;
    void SetMouseSensitivity(int sensitivity) override;

private:
    GameLibrary& library_;
    bool finished_ = false;
};
