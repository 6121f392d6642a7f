// The front end's one door to the game library: every call it makes into the
// library, and the library's notifications back, behind a small interface.
// The program uses the exported functions; a test can count and script them.
#pragma once

#include <QString>
#include <array>

#include "frontend/core/wire_messages.h"

// What the library reports while one of its calls runs (a physics step or a
// render): a shot to send, the turn passing, the local player's aim, the end
// of a match. The library's point notification carries nothing we use.
class GameLibraryListener {
public:
    virtual ~GameLibraryListener() = default;

    virtual void OnShoot(float x, float z, float force, float angle) = 0;
    virtual void OnTurnPassed() = 0;
    virtual void OnAim(float z, float x, float force, float angle, float aimPhase) = 0;
    // 0 draw, 1 green won, 2 red won.
    virtual void OnVictory(int result) = 0;
};

class GameLibrary {
public:
    virtual ~GameLibrary() = default;

    // Creates the scene in the native window `window` (an X11 window id) of
    // width x height pixels; HUD texts in uiLanguage. False on failure.
    virtual bool Initialize(quintptr window, int width, int height, bool debug,
                            int uiLanguage) = 0;

    // The table, as the frame tick drives it.
    virtual bool IsMoving() = 0;
    // False while discs move: the caller tries again later.
    virtual bool Shoot(const wire::Shot& shot) = 0;
    virtual bool PassTurnFromPeer() = 0;
    // 0 green, 1 red.
    virtual int SideToMove() = 0;
    virtual void SetSideToMove(int side) = 0;
    // The side played at this machine; 2 watches.
    virtual int LocalSeat() = 0;
    // aim Z, aim X, force, angle of the player at another machine.
    virtual void ShowRemoteAim(const std::array<float, 4>& aim) = 0;
    virtual void StepPhysics() = 0;
    virtual void Render() = 0;
    virtual wire::Positions ReadPositions() = 0;
    virtual void WritePositions(const wire::Positions& positions) = 0;

    // What the table shows.
    virtual void ShowIntro() = 0;
    // seat: 1 plays green, 2 plays red, 0 watches.
    virtual void StartMatch(int seat, int seed) = 0;
    virtual void StartPractice(const QString& playerName) = 0;
    // Writes this machine's table to a dump file.
    virtual void SaveDump() = 0;
    // The best plays of practice.
    virtual void ShowBestScores() = 0;
    // A sound effect by its number; silent while sound effects are off.
    virtual void PlayEffect(int effect) = 0;
    // Whether the game panel owns the mouse; without it no aim is held.
    virtual void SetMouseFocus(bool hasFocus) = 0;
    // Releases the scene and everything the library holds.
    virtual void Shutdown() = 0;

    // The one listener that hears the library; null silences it. Detach
    // forgets the listener only if it is still the one attached.
    virtual void Attach(GameLibraryListener* listener) = 0;
    virtual void Detach(GameLibraryListener* listener) = 0;

    // The options of the menus that the library keeps.
    virtual void SetSpecularLight(bool on) = 0;
    virtual void SetReflection(bool on) = 0;
    virtual void SetHighQuality(bool high) = 0;
    virtual void SetSoundEffects(bool on) = 0;
    virtual void SetMusic(bool on) = 0;
    virtual void SetMouseSensitivity(int sensitivity) = 0;
};

// The real library, through its exported functions.
class ExportedGameLibrary : public GameLibrary {
public:
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
    void Shutdown() override;

    void Attach(GameLibraryListener* listener) override;
    void Detach(GameLibraryListener* listener) override;

    void SetSpecularLight(bool on) override;
    void SetReflection(bool on) override;
    void SetHighQuality(bool high) override;
    void SetSoundEffects(bool on) override;
    void SetMusic(bool on) override;
    void SetMouseSensitivity(int sensitivity) override;
};
